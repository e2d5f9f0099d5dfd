#pragma once

#include "app/platform/TastenUmleitung.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"

namespace parlix::test {

// The key source's diversion for tests of the settings window: tippe() and modifier()
// are the user's keys, fed to the recorder while a diversion runs, which ends by itself
// once the recorder stops, as the real source's does. Main thread (the test's).
class FakeTastenUmleitung final : public TastenUmleitung {
public:
    void leiteUm(HotkeyRecorder& recorder) override { recorder_ = &recorder; }
    void beendeUmleitung() override { recorder_ = nullptr; }
    void hotkeysGeaendert() override { ++aenderungen_; }

    // A key going down / a modifier change, with the modifiers then held.
    void tippe(quint16 keyCode, quint64 flags) { fuettere(keyCode, flags, false); }
    void modifier(quint16 keyCode, quint64 flags) { fuettere(keyCode, flags, true); }

    bool leitetUm() const { return recorder_ != nullptr; }
    int aenderungen() const { return aenderungen_; }

private:
    void fuettere(quint16 keyCode, quint64 flags, bool modifier) {
        if (recorder_ == nullptr) {
            return;
        }
        if (modifier) {
            recorder_->flagsGeaendert(keyCode, flags);
        } else {
            recorder_->tasteGedrueckt(keyCode, flags);
        }
        if (recorder_ != nullptr && !recorder_->nimmtAuf()) {
            recorder_ = nullptr;
        }
    }

    HotkeyRecorder* recorder_ = nullptr;
    int aenderungen_ = 0;
};

} // namespace parlix::test
