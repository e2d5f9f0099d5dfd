#pragma once

namespace parlix {

class HotkeyRecorder;

// The global key source's side of recording a new hotkey in the settings window, and of
// changing the hotkeys. Main thread.
//
//     umleitung.leiteUm(recorder);
//     recorder.nimmAuf(fertig, abgebrochen);  // fertig stores the hotkey and reloads its manager
//
// While the recording runs, every key-down and modifier change of the user goes to the
// recorder, and no hotkey acts or swallows a key. The diversion ends by itself once the
// recorder has stopped (after its callback ran, so a manager reloaded there is already in
// effect), and the hotkeys are then read afresh: a new one works at once.
class TastenUmleitung {
public:
    virtual ~TastenUmleitung() = default;

    // Feeds `recorder` on the main thread until it stops recording or beendeUmleitung().
    // The recorder must outlive the diversion.
    virtual void leiteUm(HotkeyRecorder& recorder) = 0;
    // Ends a diversion whose recording was abandoned (its window closed); nothing when
    // none runs. The hotkeys are read afresh.
    virtual void beendeUmleitung() = 0;
    // The hotkeys or "lockPerTaste" changed otherwise: read them afresh, so that the keys
    // swallowed follow at once.
    virtual void hotkeysGeaendert() = 0;
};

} // namespace parlix
