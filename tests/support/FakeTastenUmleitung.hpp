#pragma once

#include "app/platform/TastenUmleitung.hpp"
#include "tests/support/Aufrufe.hpp"

namespace parlix {
class HotkeyRecorder;
}

namespace parlix::test {

// The key source's side of recording a hotkey, with the user's keys given by the test:
// druecke() hands one event (Ereignistyp, macOS key code, flags) to the recorder while a
// diversion runs, as the main thread of the real source does; the diversion ends by
// itself once the recorder has stopped. Records "leiteUm", "beendeUmleitung" and
// "hotkeysGeaendert".
class FakeTastenUmleitung final : public TastenUmleitung {
public:
    explicit FakeTastenUmleitung(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    void leiteUm(HotkeyRecorder& recorder) override;
    void beendeUmleitung() override;
    void hotkeysGeaendert() override;

    // Whether the recorder gets the keys now (and the hotkey managers none).
    bool leitetUm() const { return recorder_ != nullptr; }
    // One key event of the user; false when no diversion runs (the managers would get it).
    bool druecke(quint32 typ, qint64 keyCode, quint64 flags);

private:
    Aufrufe& aufrufe_;
    HotkeyRecorder* recorder_ = nullptr;
};

} // namespace parlix::test
