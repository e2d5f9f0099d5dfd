#pragma once

#include "app/platform/linux/XTastenTabelle.hpp"

#include <array>
#include <optional>

namespace parlix {

// Turns raw key presses and releases into the events the hotkey logic decides on, as a
// Mac reports them: a modifier key going down or up is a flag change carrying the
// modifiers then held; any other key is a key-down (again for each repeat) or key-up
// with those modifiers. Raw events carry no modifier state, so it is kept here from the
// keys themselves; left and right keys share their flag. Key thread.
class TastenZustand {
public:
    struct Ereignis {
        quint32 typ = 0;
        qint64 keyCode = 0;
        quint64 flags = 0;
        bool operator==(const Ereignis&) const = default;
    };

    // Nothing for a repeated or doubled press of a modifier that is already held, and for
    // the release of one that was never seen going down.
    std::optional<Ereignis> verarbeite(const XTastenTabelle& tabelle, quint8 xKeycode,
                                       bool gedrueckt, bool wiederholung);

    quint64 flags() const { return flags_; }

private:
    // The flag each held modifier produced when it went down, by X key code.
    std::array<quint64, 256> gehalten_{};
    quint64 flags_ = 0;
};

} // namespace parlix
