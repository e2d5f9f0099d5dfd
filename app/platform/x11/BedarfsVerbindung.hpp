#pragma once

#include "app/platform/x11/XVerbindung.hpp"

#include <optional>

namespace parlix {

// An X connection for an object that lives long on one thread: opened on first use and
// again after it was lost (the X server restarted), so that without a display the object
// only answers nothing.
class BedarfsVerbindung {
public:
    // The connection, or null when no X server can be reached now.
    const XVerbindung* operator()() {
        if (!verbindung_ || verbindung_->verloren()) {
            verbindung_ = XVerbindung::oeffne();
        }
        return verbindung_ ? &*verbindung_ : nullptr;
    }

private:
    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix
