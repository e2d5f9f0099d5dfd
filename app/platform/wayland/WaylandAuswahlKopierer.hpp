#pragma once

#include "app/platform/AuswahlKopierer.hpp"

#include <chrono>

namespace parlix {

class TastenSender;
class VordergrundApp;
class WaylandAblage;

// The selection by a synthetic copy shortcut, read back through data-control; terminals
// without a copy key give their primary selection. Runs on the calling thread: the
// clipboard and the key sender are served by the Wayland connection's thread.
class WaylandAuswahlKopierer final : public AuswahlKopierer {
public:
    static constexpr std::chrono::milliseconds kWarten{140};

    // `tasten` may be null: then only the primary selection can be read.
    WaylandAuswahlKopierer(VordergrundApp& vordergrund, WaylandAblage& ablage, TastenSender* tasten)
        : vordergrund_(vordergrund)
        , ablage_(ablage)
        , tasten_(tasten) {}

    QString auswahlText() override;

private:
    VordergrundApp& vordergrund_;
    WaylandAblage& ablage_;
    TastenSender* tasten_;
};

} // namespace parlix
