#include "app/ui/fenster/FensterController.hpp"

#include "app/platform/TastenUmleitung.hpp"
#include "app/ui/fenster/HandbuchFenster.hpp"
#include "app/ui/fenster/LoginFenster.hpp"
#include "app/ui/fenster/OnboardingFenster.hpp"
#include "app/ui/fenster/SettingsFenster.hpp"
#include "app/ui/fenster/SetupFenster.hpp"
#include "core/hotkeys/HotkeyManager.hpp"
#include "core/log/DateiLog.hpp"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using Art = SettingsModel::Hotkeyart;

void speichere(Einstellungen einstellungen, Art art, const Hotkey& hotkey) {
    switch (art) {
    case Art::diktat:
        einstellungen.setzeDiktatHotkey(hotkey);
        break;
    case Art::aktion:
        einstellungen.setzeAktionHotkey(hotkey);
        break;
    case Art::prompt:
        einstellungen.setzePromptHotkey(hotkey);
        break;
    case Art::lock:
        einstellungen.setzeLockHotkey(hotkey);
        break;
    }
}

} // namespace

FensterController::FensterController(FensterDienste dienste, QObject* eltern)
    : QObject(eltern)
    , dienste_(std::move(dienste))
    , settingsModel_(dienste_.speicher, dienste_.mikrofone)
    , onboardingModel_(dienste_.mikrofone, dienste_.desktop, dienste_.barrierefreiheit)
    , setupModel_(onboardingModel_, dienste_.speicher)
    , setupLogin_(dienste_.konto, dienste_.authClient, dienste_.mainQueue, dienste_.speicher)
    , login_(dienste_.konto, dienste_.authClient, dienste_.mainQueue, dienste_.speicher) {
    settingsModel_.autostartAktiv = dienste_.autostartAktiv;
    settingsModel_.schalteAutostart = dienste_.schalteAutostart;
    verdrahteEinstellungen();
}

FensterController::~FensterController() {
    if (settingsFenster_) {
        settingsFenster_->removeEventFilter(this);
    }
    if (recorder_.nimmtAuf()) {
        dienste_.tasten->beendeUmleitung();
    }
}

void FensterController::verdrahteEinstellungen() {
    settingsModel_.onAufnehmen = [this] { nimmHotkeyAuf(Art::diktat); };
    settingsModel_.onAktionAufnehmen = [this] { nimmHotkeyAuf(Art::aktion); };
    settingsModel_.onPromptAufnehmen = [this] { nimmHotkeyAuf(Art::prompt); };
    settingsModel_.onLockAufnehmen = [this] { nimmHotkeyAuf(Art::lock); };
    // The lock style decides which keys the key source takes for itself.
    connect(&settingsModel_, &SettingsModel::geaendert, this, [this](Einstellungen::Schluessel s) {
        if (s == Einstellungen::Schluessel::lockPerTaste && dienste_.tasten != nullptr) {
            dienste_.tasten->hotkeysGeaendert();
        }
    });
}

void FensterController::nimmHotkeyAuf(Art art) {
    if (dienste_.tasten == nullptr) {
        // Without a key source there is nothing to record from.
        settingsModel_.setzeNimmtAuf(art, false);
        return;
    }
    // Until the recorder stops, the user's keys go to it and no hotkey acts.
    dienste_.tasten->leiteUm(recorder_);
    recorder_.nimmAuf(
        [this, art](const Hotkey& hotkey) {
            speichere(Einstellungen(dienste_.speicher), art, hotkey);
            settingsModel_.setzeHotkey(art, hotkey);
            settingsModel_.setzeNimmtAuf(art, false);
            // Still inside the recording: the diversion ends after this, so the manager
            // is reloaded before the keys reach it again.
            if (HotkeyManager* manager = dienste_.hotkeys[static_cast<std::size_t>(art)]) {
                manager->ladeKonfig();
            }
            log().schreibe(u"Neuer Hotkey: "_s + hotkey.name);
        },
        [this, art] { settingsModel_.setzeNimmtAuf(art, false); });
}

bool FensterController::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == settingsFenster_.get() && ereignis->type() == QEvent::Hide &&
        recorder_.nimmtAuf()) {
        // A fresh recorder forgets the waiting callbacks; the next key is the user's again.
        recorder_ = HotkeyRecorder();
        dienste_.tasten->beendeUmleitung();
        for (const Art art : {Art::diktat, Art::aktion, Art::prompt, Art::lock}) {
            settingsModel_.setzeNimmtAuf(art, false);
        }
    }
    return QObject::eventFilter(objekt, ereignis);
}

void FensterController::bringNachVorn(QWidget* fenster) {
    if (!fenster->isVisible()) {
        const QScreen* bildschirm = QGuiApplication::screenAt(QCursor::pos());
        if (bildschirm == nullptr) {
            bildschirm = QGuiApplication::primaryScreen();
        }
        // A window that chose no size of its own gets the size its content asks for.
        if (!fenster->testAttribute(Qt::WA_Resized)) {
            fenster->adjustSize();
        }
        if (bildschirm != nullptr) {
            QRect rahmen = fenster->geometry();
            rahmen.moveCenter(bildschirm->availableGeometry().center());
            fenster->move(rahmen.topLeft());
        }
    }
    fenster->setWindowState(fenster->windowState() & ~Qt::WindowMinimized);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
}

void FensterController::zeigeEinstellungen() {
    settingsModel_.lade();
    if (!settingsFenster_) {
        settingsFenster_ =
            std::make_unique<SettingsFenster>(settingsModel_, dienste_, [this] { zeigeLogin(); });
        settingsFenster_->installEventFilter(this);
    }
    bringNachVorn(settingsFenster_.get());
}

void FensterController::zeigeOnboarding() {
    onboardingModel_.aktualisiere();
    if (!onboardingFenster_) {
        onboardingFenster_ =
            std::make_unique<OnboardingFenster>(onboardingModel_, dienste_.speicher);
    }
    bringNachVorn(onboardingFenster_.get());
}

void FensterController::zeigeSetup() {
    onboardingModel_.aktualisiere();
    if (!setupFenster_) {
        setupFenster_ = std::make_unique<SetupFenster>(setupModel_, setupLogin_, dienste_.konto,
                                                       dienste_.anbieter, dienste_.speicher,
                                                       dienste_.frageNeustart);
    }
    bringNachVorn(setupFenster_.get());
}

void FensterController::zeigeHandbuch() {
    if (!handbuchFenster_) {
        handbuchFenster_ = std::make_unique<HandbuchFenster>(dienste_.speicher);
    }
    bringNachVorn(handbuchFenster_.get());
}

void FensterController::zeigeLogin() {
    if (!loginFenster_) {
        loginFenster_ = std::make_unique<LoginFenster>(login_, dienste_.konto, dienste_.speicher);
    }
    bringNachVorn(loginFenster_.get());
}

} // namespace parlix
