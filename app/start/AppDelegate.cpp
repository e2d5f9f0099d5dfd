#include "app/start/AppDelegate.hpp"

#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/coordinator/EUStreamTranskription.hpp"
#include "app/start/NullFensterSteuerung.hpp"
#include "app/ui/FensterSteuerung.hpp"
#include "app/ui/tray/StatusPanel.hpp"
#include "app/ui/tray/Tray.hpp"
#include "app/ui/verlauf/GlasVerlaufController.hpp"
#include "core/account/AuthClient.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/Geraet.hpp"
#include "core/services/GroqKonfiguration.hpp"

#include <QCoreApplication>
#include <QCursor>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The pause between closing the history panel and pasting, so that the focus is back
// in the user's application.
constexpr auto einfuegenNachSchliessen = std::chrono::milliseconds(350);

} // namespace

AppDelegate::AppDelegate(Dienste dienste)
    : d_(std::move(dienste))
    , texte_(d_.speicher)
    , verlauf_(d_.speicher)
    , hudFenster_(d_.mainQueue, d_.speicher, *d_.plattform.arbeitsflaeche)
    , liveBoxFenster_(*d_.plattform.arbeitsflaeche)
    , hud_(hudFenster_)
    , liveBox_(liveBoxFenster_)
    , hotkeys_(manager(Einstellungen::Schluessel::diktatHotkey, false))
    , aktionHotkeys_(manager(Einstellungen::Schluessel::aktionHotkey, false))
    , promptHotkeys_(manager(Einstellungen::Schluessel::promptHotkey, false))
    , lockHotkeys_(manager(Einstellungen::Schluessel::lockHotkey, true))
    , gameModeMonitor_(d_.mainQueue, *d_.plattform.vollbild)
    , coordinator_(erstelleCoordinator())
    , konto_(d_.mainQueue, AuthClient(d_.backend, d_.http), d_.tokenDatei)
    , anbieter_(d_.speicher, std::make_unique<SchluesselBund>()) {
    if (d_.plattform.ueberlagerung) {
        d_.plattform.ueberlagerung->uebernimm(hudFenster_, hudFenster_.platzierung());
        d_.plattform.ueberlagerung->uebernimm(liveBoxFenster_, liveBoxFenster_.platzierung());
    }
}

AppDelegate::~AppDelegate() {
    fahreHerunter();
}

std::shared_ptr<HotkeyManager> AppDelegate::manager(Einstellungen::Schluessel schluessel,
                                                    bool nurToggle) {
    DefaultsStore& speicher = d_.speicher;
    return HotkeyManager::erstelle(
        d_.mainQueue, speicher,
        [&speicher, schluessel] {
            return std::get<Hotkey>(Einstellungen(speicher).wert(schluessel));
        },
        nurToggle);
}

std::shared_ptr<AufnahmeCoordinator> AppDelegate::erstelleCoordinator() {
    Plattform& p = d_.plattform;
    AufnahmeDienste dienste{
        d_.mainQueue,
        d_.speicher,
        verlauf_,
        p.recorder,
        EUStreamTranskription::fabrik(d_.speicher, d_.mainQueue, d_.netz),
        *p.stummschalter,
        *p.klaenge,
        *p.escMonitor,
        *p.vordergrund,
        *p.vertrauen,
        *p.inserter,
        {d_.http, *p.axKontext, *p.auswahl, *p.browserText, *p.fensterFoto, *p.texterkennung,
         [&queue = d_.mainQueue] { return queue.jetzt(); }},
    };
    return AufnahmeCoordinator::erstelle(
        std::move(dienste),
        {hud_, liveBox_, [this](const QString& key) { return texte_.text(key); }});
}

void AppDelegate::starte() {
    installiereQuellen();
    baueStatusItem();
    pruefeRechte();
    verdrahteVerlauf();
    verdrahteHotkeys();
    starteTap();
    starteGameMode();
    starteAnbieter();
    log().schreibe(u"App gestartet. Bedienungshilfen vertraut: "_s +
                   (d_.plattform.vertrauen->istVertraut() ? u"true"_s : u"false"_s));
    if (d_.updateAutomatik) {
        d_.updateAutomatik();
    }
    starteKontoUndSetup();
}

void AppDelegate::starteAnbieter() {
    connect(&anbieter_, &AnbieterEinstellungen::geaendert, this, &AppDelegate::uebergibAnbieter);
    uebergibAnbieter();
    // The keys come from the keyring in the background; geaendert() brings them.
    anbieter_.lade();
}

void AppDelegate::uebergibAnbieter() {
    emit anbieterGeaendert(anbieter_.anbieterFuerServer());
}

void AppDelegate::installiereQuellen() {
    GroqKonfiguration::setzeTokenQuelle(
        [datei = d_.tokenDatei] { return TokenSpeicher::lese(datei); });
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(Geraet::id()); });
}

void AppDelegate::baueStatusItem() {
    tray_ = std::make_unique<Tray>(verlauf_, hud_.model(), texte_, panelAktionen());
    connect(tray_.get(), &Tray::panelUmschalten, this, &AppDelegate::togglePanel);
    tray_->zeige();
}

void AppDelegate::pruefeRechte() {
    // There is nothing to ask for on this desktop; a missing microphone is worth a line.
    if (d_.plattform.mikrofonErreichbar && !d_.plattform.mikrofonErreichbar()) {
        log().schreibe(u"FEHLER: Kein Mikrofon erreichbar"_s);
    }
}

void AppDelegate::verdrahteVerlauf() {
    glasVerlauf_ = std::make_unique<GlasVerlaufController>(
        verlauf_, texte_, *d_.plattform.escMonitor, *d_.plattform.arbeitsflaeche,
        *d_.plattform.kopierablage);
    coordinator_->setzeGlasVerlauf(glasVerlauf_.get());
    glasVerlauf_->onEinfuegen = [this](const QString& text) {
        glasVerlauf_->verstecke();
        d_.mainQueue.after(einfuegenNachSchliessen, [schwach = std::weak_ptr(coordinator_), text] {
            if (const auto c = schwach.lock()) {
                c->fuegeEin(text);
            }
        });
    };
}

void AppDelegate::umschalteDiktat() {
    if (coordinator_->aktiv() && coordinator_->nochAmAufnehmen()) {
        coordinator_->stoppeAufnahme();
    } else {
        coordinator_->starteAufnahme(Aufnahmemodus::diktat);
    }
}

void AppDelegate::verdrahteHotkeys() {
    const std::weak_ptr<AufnahmeCoordinator> schwach = coordinator_;
    const auto verdrahte = [&schwach](HotkeyManager& manager, Aufnahmemodus modus) {
        manager.beiStart = [schwach, modus] {
            if (auto c = schwach.lock()) {
                c->starteAufnahme(modus);
            }
        };
        manager.beiStop = [schwach] {
            if (auto c = schwach.lock()) {
                c->stoppeAufnahme();
            }
        };
        manager.beiLock = [schwach] {
            if (auto c = schwach.lock()) {
                c->setzeGesperrt();
            }
        };
        manager.nimmtAuf = [schwach] {
            const auto c = schwach.lock();
            return c && c->aktiv() && c->nochAmAufnehmen();
        };
    };
    verdrahte(*hotkeys_, Aufnahmemodus::diktat);
    verdrahte(*aktionHotkeys_, Aufnahmemodus::aktion);
    verdrahte(*promptHotkeys_, Aufnahmemodus::promptModus);
    // The lock key alone starts and stops a locked dictation (while "lockPerTaste" is on).
    verdrahte(*lockHotkeys_, Aufnahmemodus::diktat);
}

void AppDelegate::starteTap() {
    hotkeyTap_ = std::make_unique<HotkeyTap>(
        std::vector{hotkeys_, aktionHotkeys_, promptHotkeys_, lockHotkeys_},
        std::move(d_.plattform.tasten));
    hotkeyTap_->starte();
}

void AppDelegate::starteGameMode() {
    gameModeMonitor_.onChange = [tap = hotkeyTap_.get()](bool aktiv) {
        tap->setzeGameModeAktiv(aktiv);
    };
    gameModeMonitor_.starte();
}

void AppDelegate::starteKontoUndSetup() {
    const Einstellungen einstellungen(d_.speicher);
    const bool setupErledigt = einstellungen.setupErledigt() || einstellungen.onboardingErledigt();
    d_.mainQueue.post([this, setupErledigt] {
        konto_.starte([this, setupErledigt] {
            if (!setupErledigt) {
                fenster().zeigeSetup();
            }
        });
    });
}

FensterSteuerung& AppDelegate::fenster() {
    if (!fenster_) {
        if (d_.fensterFabrik) {
            fenster_ = d_.fensterFabrik({d_.mainQueue, d_.speicher, verlauf_, *hotkeys_,
                                         *aktionHotkeys_, *promptHotkeys_, *lockHotkeys_,
                                         *hotkeyTap_, *d_.plattform.umleitung, konto_, hud_.model(),
                                         d_.plattform, anbieter_});
        } else {
            fenster_ = std::make_unique<NullFensterSteuerung>();
        }
    }
    return *fenster_;
}

PanelAktionen AppDelegate::panelAktionen() {
    return {
        [this] { zeigeVerlauf(); },
        [this] { fenster().zeigeEinstellungen(); },
        [this] { fenster().zeigeOnboarding(); },
        [this] { fenster().zeigeHandbuch(); },
        [this] { beenden(); },
        [this](const QString& text) { glasVerlauf_->kopiere(text); },
    };
}

void AppDelegate::togglePanel() {
    if (popover_ && popover_->isVisible()) {
        popover_->hide();
        return;
    }
    // The click on the icon that closed the panel (as a click outside it) must not
    // open it again.
    if (popover_ && popover_->geradeGeschlossen()) {
        return;
    }
    zeigeStatusPanel();
}

void AppDelegate::zeigeStatusPanel() {
    if (!popover_) {
        popover_ = std::make_unique<StatusPanel>(verlauf_, hud_.model(), d_.speicher, texte_,
                                                 *d_.plattform.arbeitsflaeche, panelAktionen());
    }
    QRect anker = tray_->ort();
    if (anker.isEmpty()) {
        anker = QRect(QCursor::pos(), QSize(1, 1));
    }
    popover_->zeigeBei(anker);
}

void AppDelegate::zeigeVerlauf() {
    glasVerlauf_->zeigeVerlauf();
}

void AppDelegate::beenden() {
    QCoreApplication::quit();
}

void AppDelegate::fahreHerunter() {
    fenster_.reset();
    // The watch reports to the tap, so it stops first.
    gameModeMonitor_.stoppe();
    hotkeyTap_.reset();
    if (coordinator_) {
        coordinator_->abbrechen();
    }
    d_.plattform.stummschalter->wiederherstellen();
    if (popover_) {
        popover_->hide();
    }
}

} // namespace parlix
