#pragma once

#include "app/account/Konto.hpp"
#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/platform/Plattform.hpp"
#include "app/stream/NetzFaden.hpp"
#include "app/ui/FensterUmfeld.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDController.hpp"
#include "app/ui/hud/HUDWidget.hpp"
#include "app/ui/livebox/LiveBoxController.hpp"
#include "app/ui/livebox/LiveBoxWidget.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/hotkeys/GameModeMonitor.hpp"
#include "core/hotkeys/HotkeyManager.hpp"
#include "core/hotkeys/HotkeyTap.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QObject>
#include <functional>
#include <memory>

namespace parlix {

class AufnahmeCoordinator;
class FensterSteuerung;
class GlasVerlaufController;
class HttpTransport;
class StatusPanel;
class Tray;
struct PanelAktionen;

// The running program: builds the long-lived objects, connects the four hotkey managers
// to the recording coordinator, starts the key source and the full-screen watch, puts
// the icon into the tray and, on a first run, opens the setup window. Everything it
// creates lives until it is destroyed. Main thread.
class AppDelegate final : public QObject {
    Q_OBJECT

public:
    struct Dienste {
        MainQueue& mainQueue;
        DefaultsStore& speicher;
        HttpTransport& http;
        // The streams' network thread. Jobs still queued on the main queue may hold a
        // stream, so it must outlive the queue, not only the delegate.
        NetzFaden& netz;
        Plattform& plattform;
        // The backend root of the account calls (empty: the process's, which follows the
        // local server), and the sign-in token's file.
        QUrl backend;
        QString tokenDatei;
        // Builds the secondary windows; without one, their requests are only logged.
        FensterFabrik fensterFabrik;
        // Starts the automatic update check; not set while there is no updater.
        std::function<void()> updateAutomatik;
    };

    explicit AppDelegate(Dienste dienste);
    ~AppDelegate() override;

    // The start-up sequence after the interface language and the render harness.
    void starte();
    // Opens the status panel, or closes it when it is open.
    void togglePanel();
    // Brings up the status panel (another start of the program asks for it).
    void zeigeStatusPanel();
    // The floating history panel, as the menu's history command opens it.
    void zeigeVerlauf();
    // Starts a dictation, or stops the one being recorded (`parlix --toggle`, which the
    // user binds to a key where Parlix gets no global keys).
    void umschalteDiktat();
    // Ends the program (the panel's quit command): the event loop stops, and the caller
    // then calls fahreHerunter().
    void beenden();
    // Stops what runs before the objects go: the key source and the full-screen watch, a
    // recording or its processing (cancelled, its audio discarded), and any lowering of
    // the output volume. Safe to call more than once.
    void fahreHerunter();

    AufnahmeCoordinator& coordinator() { return *coordinator_; }
    GlasVerlaufController& glasVerlauf() { return *glasVerlauf_; }
    VerlaufStore& verlauf() { return verlauf_; }
    Konto& konto() { return konto_; }
    HotkeyTap& hotkeyTap() { return *hotkeyTap_; }
    // The window controller, created on first use.
    FensterSteuerung& fenster();
    Tray& tray() { return *tray_; }
    // Null until the panel was first opened.
    StatusPanel* statusPanel() const { return popover_.get(); }
    HUDController& hud() { return hud_; }
    HUDWidget& hudFenster() { return hudFenster_; }
    LiveBoxWidget& liveBoxFenster() { return liveBoxFenster_; }
    AnbieterEinstellungen& anbieter() { return anbieter_; }

signals:
    // The providers the user set up, as the local backend takes them (keys included):
    // once at start, again when the keys were read and after every change.
    void anbieterGeaendert(const QJsonObject& anbieter);

private:
    std::shared_ptr<AufnahmeCoordinator> erstelleCoordinator();
    void installiereQuellen();
    void baueStatusItem();
    void pruefeRechte();
    void verdrahteVerlauf();
    void verdrahteHotkeys();
    void starteTap();
    void starteGameMode();
    void starteKontoUndSetup();
    void starteAnbieter();
    // The one place that hands the providers to the backend.
    void uebergibAnbieter();
    std::shared_ptr<HotkeyManager> manager(Einstellungen::Schluessel schluessel, bool nurToggle);
    PanelAktionen panelAktionen();

    Dienste d_;
    Texte texte_;
    VerlaufStore verlauf_;
    HUDWidget hudFenster_;
    LiveBoxWidget liveBoxFenster_;
    HUDController hud_;
    LiveBoxController liveBox_;
    std::shared_ptr<HotkeyManager> hotkeys_;
    std::shared_ptr<HotkeyManager> aktionHotkeys_;
    std::shared_ptr<HotkeyManager> promptHotkeys_;
    std::shared_ptr<HotkeyManager> lockHotkeys_;
    // Goes before the managers, so that no key event reaches a destroyed one.
    std::unique_ptr<HotkeyTap> hotkeyTap_;
    GameModeMonitor gameModeMonitor_;
    std::unique_ptr<GlasVerlaufController> glasVerlauf_;
    std::shared_ptr<AufnahmeCoordinator> coordinator_;
    Konto konto_;
    AnbieterEinstellungen anbieter_;
    std::unique_ptr<FensterSteuerung> fenster_;
    std::unique_ptr<Tray> tray_;
    std::unique_ptr<StatusPanel> popover_;
};

} // namespace parlix
