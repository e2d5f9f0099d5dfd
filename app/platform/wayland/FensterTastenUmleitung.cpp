#include "app/platform/wayland/FensterTastenUmleitung.hpp"

#include "core/hotkeys/HotkeyRecorder.hpp"

#include <QCoreApplication>
#include <QKeyEvent>

namespace parlix {

FensterTastenUmleitung::FensterTastenUmleitung(const XTastenTabelle::Keysym& keysym,
                                               std::function<void(bool)> umgeleitet,
                                               std::function<void()> neuGelesen)
    : tabelle_(keysym)
    , umgeleitet_(std::move(umgeleitet))
    , neuGelesen_(std::move(neuGelesen)) {}

FensterTastenUmleitung::~FensterTastenUmleitung() {
    if (recorder_ != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void FensterTastenUmleitung::leiteUm(HotkeyRecorder& recorder) {
    if (recorder_ == nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
        if (umgeleitet_) {
            umgeleitet_(true);
        }
    }
    recorder_ = &recorder;
    // Keys held from before would count as held; the recording starts from none.
    zustand_ = TastenZustand();
}

void FensterTastenUmleitung::beendeUmleitung() {
    if (recorder_ == nullptr) {
        return;
    }
    recorder_ = nullptr;
    QCoreApplication::instance()->removeEventFilter(this);
    if (umgeleitet_) {
        umgeleitet_(false);
    }
    hotkeysGeaendert();
}

void FensterTastenUmleitung::hotkeysGeaendert() {
    if (neuGelesen_) {
        neuGelesen_();
    }
}

bool FensterTastenUmleitung::eventFilter(QObject* objekt, QEvent* ereignis) {
    const bool runter = ereignis->type() == QEvent::KeyPress;
    if (recorder_ == nullptr || (!runter && ereignis->type() != QEvent::KeyRelease)) {
        return QObject::eventFilter(objekt, ereignis);
    }
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    const quint32 xKeycode = taste->nativeScanCode();
    if (xKeycode > 255) {
        return true;
    }
    const auto e =
        zustand_.verarbeite(tabelle_, static_cast<quint8>(xKeycode), runter, taste->isAutoRepeat());
    if (e) {
        recorder_->ereignis(e->typ, static_cast<quint16>(e->keyCode), e->flags);
    }
    // The recorder's callback has run: the hotkeys it stored are read as the diversion ends.
    if (recorder_ != nullptr && !recorder_->nimmtAuf()) {
        beendeUmleitung();
    }
    return true;
}

} // namespace parlix
