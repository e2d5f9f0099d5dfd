#pragma once

#include <QtGlobal>
#include <functional>

namespace parlix {

// The platform's source of the user's global key events. It runs a thread of its own
// and hands every key-down, key-up and flag change to the handler, translated into the
// event types of Ereignistyp, macOS virtual key codes and the modifier bits of Hotkey.
class TastenQuelle {
public:
    // Decides one event on the source's thread; true swallows it.
    using Behandler = std::function<bool(quint32 typ, qint64 keyCode, quint64 flags)>;
    // Called once on the source's thread: whether the source could be set up.
    using Bereit = std::function<void(bool erstellt)>;

    // Ends the thread and waits for it; no handler runs afterwards.
    virtual ~TastenQuelle() = default;

    // Starts the thread, which sets the source up, reports through bereit and then
    // delivers events until the source is destroyed. Called once, on the main thread.
    virtual void starte(Behandler behandler, Bereit bereit) = 0;

    // Switches delivery on again after the system switched it off (it then sends one of
    // the two Ereignistyp::abgeschaltet events). Called from within the handler.
    virtual void aktiviereWieder() = 0;
};

} // namespace parlix
