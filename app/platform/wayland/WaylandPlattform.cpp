#include "app/platform/wayland/WaylandPlattform.hpp"

#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"
#include "app/platform/atspi/AtspiBrowserText.hpp"
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/null/NullVordergrundApp.hpp"
#include "app/platform/wayland/Bildschirmkopie.hpp"
#include "app/platform/wayland/VirtuelleTastatur.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandAuswahlKopierer.hpp"
#include "app/platform/wayland/WaylandDesktopZugang.hpp"
#include "app/platform/wayland/WaylandTextInserter.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/WaylandVertrauen.hpp"
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "app/platform/wayland/layershell/LayerShellUeberlagerung.hpp"
#include "app/platform/wayland/portal/PortalBildschirmfoto.hpp"
#include "app/platform/wayland/portal/PortalTastatur.hpp"
#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "app/platform/wayland/sway/SwayEscMonitor.hpp"
#include "app/platform/wayland/sway/SwayTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "app/platform/wayland/uinput/UinputTastatur.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QDBusConnection>

using namespace Qt::StringLiterals;

namespace parlix::WaylandPlattform {

namespace {

// What the services share; it lives as long as the platform (Plattform::gemeinsam).
struct Sitzung {
    WaylandVerbindung verbindung;
    WaylandAblage ablage{verbindung};
    VirtuelleTastatur tastatur{verbindung};
    std::unique_ptr<PortalTastatur> portalTastatur;
    std::unique_ptr<UinputTastatur> uinput;
    std::unique_ptr<SwayIpc> sway;
    std::unique_ptr<SwayEreignisse> swayEreignisse;
    std::unique_ptr<SwayBindungen> swayBindungen;
};

void melde(const QString& dienst, const QString& weg) {
    log().schreibe(u"Wayland: %1 über %2"_s.arg(dienst, weg));
}

QList<Hotkey> hotkeys(DefaultsStore& speicher) {
    const Einstellungen e(speicher);
    QList<Hotkey> liste{e.diktatHotkey(), e.aktionHotkey(), e.promptHotkey()};
    if (e.lockPerTaste()) {
        liste << e.lockHotkey();
    }
    return liste;
}

bool verbindeSway(Sitzung& s) {
    const QString socket = qEnvironmentVariable("SWAYSOCK");
    if (socket.isEmpty()) {
        return false;
    }
    s.sway = std::make_unique<SwayIpc>(socket);
    s.swayEreignisse = std::make_unique<SwayEreignisse>(socket);
    if (!s.sway->verbunden() || !s.swayEreignisse->bereit()) {
        log().schreibe(u"FEHLER: Wayland: sway-IPC nicht erreichbar"_s);
        return false;
    }
    s.swayBindungen = std::make_unique<SwayBindungen>(*s.sway, *s.swayEreignisse);
    return true;
}

// The one key source that sees every key on every compositor.
bool bestueckeEvdev(Plattform& p) {
    auto geraete = EvdevTastenQuelle::oeffneTastaturen();
    if (geraete.empty()) {
        log().schreibe(u"Wayland: keine Tastatur unter /dev/input lesbar (Hotkeys auf jedem "
                       u"Desktop: den Nutzer in die Gruppe „input“ aufnehmen)"_s);
        return false;
    }
    p.tasten = std::make_unique<EvdevTastenQuelle>(std::move(geraete),
                                                   EvdevTastenQuelle::vorgabeBelegung());
    melde(u"globale Tasten"_s, u"evdev (/dev/input)"_s);
    return true;
}

// Combinations on KDE and GNOME; the desktop asks the user once.
void bestueckePortal(Plattform& p, DefaultsStore& speicher) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!PortalTastenQuelle::verfuegbar(bus)) {
        return;
    }
    p.tasten = std::make_unique<PortalTastenQuelle>(bus, [&speicher] { return hotkeys(speicher); });
    melde(u"globale Tasten"_s, u"GlobalShortcuts-Portal"_s);
}

void bestueckeSway(Plattform& p, Sitzung& s, DefaultsStore& speicher, MainQueue& mainQueue) {
    if (!p.tasten) {
        auto quelle = std::make_unique<SwayTastenQuelle>(*s.swayBindungen,
                                                         [&speicher] { return hotkeys(speicher); });
        p.umleitung = quelle.get();
        p.tasten = std::move(quelle);
    }
    p.escMonitor = std::make_shared<SwayEscMonitor>(*s.swayBindungen, mainQueue);
    p.vollbild = std::make_shared<SwayVollbildSonde>(*s.sway, *s.swayEreignisse, mainQueue);
    auto vorn = std::make_shared<SwayVordergrundApp>(*s.sway);
    p.vordergrund = vorn;
    p.arbeitsflaeche = vorn;
    melde(u"Escape, Vollbild und vordere Anwendung"_s, u"sway-IPC"_s);
    if (p.umleitung != nullptr) {
        melde(u"globale Tasten"_s, u"sway-IPC"_s);
    }
}

// The first way to post keys: the compositor's virtual keyboard, the RemoteDesktop
// portal, which asks the user once (at start, not at the first paste), a keyboard device
// of our own through /dev/uinput.
TastenSender* tastenWeg(Sitzung& s) {
    if (s.tastatur.bereit()) {
        melde(u"Einfügen"_s, u"data-control und virtuelle Tastatur"_s);
        return &s.tastatur;
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (PortalTastatur::verfuegbar(bus)) {
        s.portalTastatur =
            std::make_unique<PortalTastatur>(bus, PortalTastatur::standardTokenDatei());
        s.portalTastatur->starte();
        melde(u"Einfügen"_s, u"data-control und RemoteDesktop-Portal (der Desktop fragt einmal "
                             u"um Erlaubnis)"_s);
        return s.portalTastatur.get();
    }
    s.uinput = UinputTastatur::erstelle(EvdevTastenQuelle::vorgabeBelegung());
    if (s.uinput) {
        melde(u"Einfügen"_s, u"data-control und uinput (/dev/uinput)"_s);
        return s.uinput.get();
    }
    log().schreibe(u"Wayland: Einfügen nur bis in die Zwischenablage (keine virtuelle Tastatur, "
                   u"kein RemoteDesktop-Portal, kein Schreibrecht auf /dev/uinput); der Nutzer "
                   u"fügt mit Strg+V ein"_s);
    return nullptr;
}

// Whether a key can be posted.
bool bestueckeEinfuegen(Plattform& p, Sitzung& s, DefaultsStore& speicher, MainQueue& mainQueue) {
    if (!s.ablage.bereit()) {
        log().schreibe(u"Wayland: Einfügen nicht möglich (der Compositor bietet kein "
                       u"data-control)"_s);
        return false;
    }
    TastenSender* tasten = tastenWeg(s);
    auto inserter = std::make_shared<WaylandTextInserter>(mainQueue, speicher, *p.vordergrund,
                                                          s.ablage, tasten);
    inserter->beiNurKopiert = [slot = p.beiNurKopiert] {
        if (*slot) {
            (*slot)();
        }
    };
    p.inserter = inserter;
    p.auswahl = std::make_shared<WaylandAuswahlKopierer>(*p.vordergrund, s.ablage, tasten);
    return tasten != nullptr;
}

bool bestueckeFoto(Plattform& p, Sitzung& s) {
    if (s.sway) {
        auto foto = std::make_shared<Bildschirmkopie>(s.verbindung, *p.arbeitsflaeche);
        if (foto->bereit()) {
            p.fensterFoto = foto;
            melde(u"Fensterfoto"_s, u"screencopy"_s);
            return true;
        }
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!PortalBildschirmfoto::verfuegbar(bus)) {
        return false;
    }
    p.fensterFoto = std::make_shared<PortalBildschirmfoto>(bus);
    melde(u"Fensterfoto (ganzer Bildschirm)"_s, u"Screenshot-Portal"_s);
    return true;
}

void bestueckeKontext(Plattform& p, MainQueue& mainQueue, bool tastatur) {
    auto atspi = std::make_shared<AtspiVerbindung>();
    p.gemeinsam.push_back(atspi);
    p.barrierefreiheit = std::make_shared<AtspiBarrierefreiheit>();
    p.axKontext = std::make_shared<AtspiKontext>(*atspi);
    if (p.vordergrund) {
        p.browserText = std::make_shared<AtspiBrowserText>(*atspi, *p.vordergrund, mainQueue);
    }
    p.vertrauen = std::make_shared<WaylandVertrauen>(*atspi, tastatur);
    melde(u"Kontext"_s, u"AT-SPI"_s);
}

// On the compositor's overlay layer the overlays stay above every window, never take
// the focus and let clicks through; elsewhere they are Qt's windows, which the
// compositor places and may focus as it likes.
void bestueckeUeberlagerungen(Plattform& p) {
    auto layerShell = std::make_shared<LayerShellUeberlagerung>();
    if (layerShell->bereit()) {
        p.ueberlagerung = layerShell;
        melde(u"HUD und Live-Box"_s, u"layer-shell"_s);
        return;
    }
    log().schreibe(u"Wayland: HUD und Live-Box ohne layer-shell (der Compositor bietet es "
                   u"nicht); der Compositor platziert sie als gewöhnliche Fenster"_s);
}

} // namespace

void bestuecke(Plattform& p, DefaultsStore& speicher, MainQueue& mainQueue) {
    auto sitzung = std::make_shared<Sitzung>();
    Sitzung& s = *sitzung;
    p.gemeinsam.push_back(sitzung);
    if (!s.verbindung.verbunden()) {
        log().schreibe(u"FEHLER: Wayland: keine Verbindung zum Compositor"_s);
        p.desktop = std::make_shared<WaylandDesktopZugang>(false, false, false);
        return;
    }
    bestueckeEvdev(p);
    if (verbindeSway(s)) {
        bestueckeSway(p, s, speicher, mainQueue);
    }
    if (!p.tasten) {
        bestueckePortal(p, speicher);
    }
    const bool tasten = static_cast<bool>(p.tasten);
    if (!tasten) {
        log().schreibe(u"Wayland: keine globalen Tasten auf diesem Desktop (kein sway-IPC, kein "
                       u"GlobalShortcuts-Portal); "
                       u"den Befehl „parlix --toggle“ in den Tastenkürzeln des Desktops "
                       u"binden"_s);
    }
    if (!p.vordergrund) {
        // Every window then pastes with the ordinary keys, terminals too.
        p.vordergrund = std::make_shared<NullVordergrundApp>();
        log().schreibe(u"Wayland: vordere Anwendung unbekannt (kein sway-IPC)"_s);
    }
    const bool eingabe = bestueckeEinfuegen(p, s, speicher, mainQueue);
    const bool foto = bestueckeFoto(p, s);
    bestueckeKontext(p, mainQueue, eingabe);
    p.desktop = std::make_shared<WaylandDesktopZugang>(tasten, eingabe, foto);
    bestueckeUeberlagerungen(p);
}

} // namespace parlix::WaylandPlattform
