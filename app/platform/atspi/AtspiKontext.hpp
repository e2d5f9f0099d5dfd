#pragma once

#include "app/platform/AXKontext.hpp"

#include <chrono>

namespace parlix {

class AtspiVerbindung;

// The focused element of the active window, read over AT-SPI: the element with the
// "focused" state inside the top-level window with the "active" state.
class AtspiKontext final : public AXKontext {
public:
    // Longest a read may take before it counts as "no element" (a page read from its
    // children gives what it had by then).
    static constexpr std::chrono::milliseconds kFrist{2000};

    explicit AtspiKontext(AtspiVerbindung& verbindung)
        : verbindung_(verbindung) {}

    QString text() override;
    QString auswahl() override;

private:
    struct Element;
    Element lies(bool mitWert);

    AtspiVerbindung& verbindung_;
};

} // namespace parlix
