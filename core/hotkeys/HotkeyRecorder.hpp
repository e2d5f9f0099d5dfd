#pragma once

#include "core/hotkeys/Hotkey.hpp"

#include <functional>
#include <optional>

namespace parlix {

// Captures one new hotkey from the keyboard for the settings window. The window feeds
// it its own key events (macOS key codes and flag bits); while recording, every event
// fed in is taken and should be swallowed by the caller.
//
// A modifier pressed and released alone becomes a modifier-only hotkey; a key pressed
// with modifiers held becomes a combination; Escape alone cancels.
class HotkeyRecorder {
public:
    using Fertig = std::function<void(const Hotkey&)>;
    using Abgebrochen = std::function<void()>;

    // Starts a recording; one that is still running is replaced without callbacks.
    void nimmAuf(Fertig fertig, Abgebrochen abgebrochen);
    bool nimmtAuf() const { return aktiv_; }

    // Each returns whether the event was taken (true while recording).
    bool tasteGedrueckt(quint16 keyCode, quint64 flags);
    bool flagsGeaendert(quint16 keyCode, quint64 flags);
    // An event of a key source (Ereignistyp): key-downs and flag changes are taken.
    bool ereignis(quint32 typ, quint16 keyCode, quint64 flags);

private:
    static constexpr quint16 escape = 53;

    void beende();
    void melde(const Hotkey& hotkey);

    bool aktiv_ = false;
    std::optional<quint16> letzteModifierTaste_;
    Fertig fertig_;
    Abgebrochen abgebrochen_;
};

} // namespace parlix
