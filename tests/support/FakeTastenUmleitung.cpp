#include "tests/support/FakeTastenUmleitung.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"

using namespace Qt::StringLiterals;

namespace parlix::test {

void FakeTastenUmleitung::leiteUm(HotkeyRecorder& recorder) {
    aufrufe_.notiere(u"leiteUm"_s);
    recorder_ = &recorder;
}

void FakeTastenUmleitung::beendeUmleitung() {
    aufrufe_.notiere(u"beendeUmleitung"_s);
    recorder_ = nullptr;
}

void FakeTastenUmleitung::hotkeysGeaendert() {
    aufrufe_.notiere(u"hotkeysGeaendert"_s);
}

bool FakeTastenUmleitung::druecke(quint32 typ, qint64 keyCode, quint64 flags) {
    if (recorder_ == nullptr) {
        return false;
    }
    const auto code = static_cast<quint16>(keyCode);
    if (typ == Ereignistyp::tasteRunter) {
        recorder_->tasteGedrueckt(code, flags);
    } else if (typ == Ereignistyp::flagsGeaendert) {
        recorder_->flagsGeaendert(code, flags);
    }
    if (!recorder_->nimmtAuf()) {
        recorder_ = nullptr;
    }
    return true;
}

} // namespace parlix::test
