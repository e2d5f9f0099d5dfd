#pragma once

#include "app/platform/AuswahlKopierer.hpp"

#include <chrono>

namespace parlix {

class Ablage;
class TastenSender;
class VordergrundApp;

// The selection by a synthetic copy shortcut, read back from the clipboard; terminals
// without a copy key, and windows of unknown kind, give their primary selection. Runs on the
// calling thread: the clipboard and the key sender are served by another (the Wayland connection's
// or the main thread, where the portal's signals arrive).
class WaylandAuswahlKopierer final : public AuswahlKopierer {
public:
    static constexpr std::chrono::milliseconds kWarten{140};

    // `tasten` may be null: then only the primary selection can be read.
    WaylandAuswahlKopierer(VordergrundApp& vordergrund, Ablage& ablage, TastenSender* tasten)
        : vordergrund_(vordergrund)
        , ablage_(ablage)
        , tasten_(tasten) {}

    QString auswahlText() override;

private:
    VordergrundApp& vordergrund_;
    Ablage& ablage_;
    TastenSender* tasten_;
};

} // namespace parlix
