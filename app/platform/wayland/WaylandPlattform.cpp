#include "app/platform/wayland/WaylandPlattform.hpp"

#include "app/platform/Plattform.hpp"
#include "app/platform/linux/AblageAuswahlKopierer.hpp"
#include "app/platform/linux/AblageKopierablage.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/null/NullVordergrundApp.hpp"
#include "app/platform/wayland/Bildschirmkopie.hpp"
#include "app/platform/wayland/FensterTastenUmleitung.hpp"
#include "app/platform/wayland/FernAblage.hpp"
#include "app/platform/wayland/VerborgeneUeberlagerung.hpp"
#include "app/platform/wayland/VirtuelleTastatur.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandDesktopZugang.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"
#include "app/platform/wayland/hyprland/HyprlandVollbildSonde.hpp"
#include "app/platform/wayland/hyprland/HyprlandVordergrundApp.hpp"
#include "app/platform/wayland/kde/KWinFensterFoto.hpp"
#include "app/platform/wayland/kde/KWinTastatur.hpp"
#include "app/platform/wayland/kde/PlasmaFenster.hpp"
#include "app/platform/wayland/layershell/LayerShellUeberlagerung.hpp"
#include "app/platform/wayland/mutter/MutterFernsteuerung.hpp"
#include "app/platform/wayland/portal/PortalBildschirmfoto.hpp"
#include "app/platform/wayland/portal/PortalEscMonitor.hpp"
#include "app/platform/wayland/portal/PortalTastatur.hpp"
#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "app/platform/wayland/sway/SwayEscMonitor.hpp"
#include "app/platform/wayland/sway/SwayTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "app/platform/wayland/toplevel/FremdeFenster.hpp"
#include "app/platform/wayland/toplevel/ToplevelVollbildSonde.hpp"
#include "app/platform/wayland/toplevel/ToplevelVordergrundApp.hpp"
#include "app/platform/wayland/uinput/UinputTastatur.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"
#include "wlr-layer-shell-unstable-v1.h"

#include <QDBusConnection>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace parlix::WaylandPlattform {

namespace {

// What the services share; it lives as long as the platform (Plattform::gemeinsam).
struct Sitzung {
    WaylandVerbindung verbindung;
    WaylandAblage ablage{verbindung};
    VirtuelleTastatur tastatur{verbindung};
    std::unique_ptr<PortalTastatur> portalTastatur;
    std::unique_ptr<MutterFernsteuerung> mutter;
    std::unique_ptr<FernAblage> fernAblage;
    std::unique_ptr<UinputTastatur> uinput;
    std::unique_ptr<SwayIpc> sway;
    std::unique_ptr<SwayEreignisse> swayEreignisse;
    std::unique_ptr<SwayBindungen> swayBindungen;
    std::unique_ptr<FensterTastenUmleitung> umleitung;
    // The system's default layout, compiled once for whoever looks keys up without the
    // compositor's keymap (evdev, uinput, the hotkey recording).
    XTastenTabelle::Keysym belegung = EvdevTastenQuelle::vorgabeBelegung();
    std::unique_ptr<HyprlandIpc> hyprland;
    std::unique_ptr<FremdeFenster> fremdeFenster;
    std::unique_ptr<PlasmaFenster> plasmaFenster;
    std::unique_ptr<KWinTastatur> kwinTastatur;
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

// A new hotkey is recorded from the settings window's own keys while `quelle` stands
// still; `neuGelesen` binds the hotkeys afresh where the source must.
template <class Quelle>
void nimmAufUeberFenster(Sitzung& s, Quelle& quelle, std::function<void()> neuGelesen = {}) {
    s.umleitung = std::make_unique<FensterTastenUmleitung>(
        s.belegung, [&quelle](bool pause) { quelle.pausiere(pause); }, std::move(neuGelesen));
}

// The one key source that sees every key on every compositor.
bool bestueckeEvdev(Plattform& p, Sitzung& s) {
    auto geraete = EvdevTastenQuelle::oeffneTastaturen();
    if (geraete.empty()) {
        log().schreibe(u"Wayland: keine Tastatur unter /dev/input lesbar (Hotkeys auf jedem "
                       u"Desktop: den Nutzer in die Gruppe „input“ aufnehmen)"_s);
        return false;
    }
    auto quelle = std::make_unique<EvdevTastenQuelle>(std::move(geraete), s.belegung);
    nimmAufUeberFenster(s, *quelle);
    p.tasten = std::move(quelle);
    melde(u"globale Tasten"_s, u"evdev (/dev/input)"_s);
    return true;
}

bool aufDesktop(const QString& name) {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':').contains(name);
}

// Combinations on KDE and GNOME; the desktop asks the user once.
void bestueckePortal(Plattform& p, Sitzung& s, DefaultsStore& speicher) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!PortalTastenQuelle::verfuegbar(bus)) {
        return;
    }
    auto quelle =
        std::make_unique<PortalTastenQuelle>(bus, [&speicher] { return hotkeys(speicher); });
    nimmAufUeberFenster(s, *quelle);
    p.tasten = std::move(quelle);
    melde(u"globale Tasten"_s, u"GlobalShortcuts-Portal"_s);
}

// KDE binds a portal shortcut without asking, so Escape can be bound for as long as a
// recording runs, whichever source the hotkeys come from.
void bestueckeKdeEscape(Plattform& p, MainQueue& mainQueue) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (p.escMonitor || !aufDesktop(u"KDE"_s) || !PortalTastenQuelle::verfuegbar(bus)) {
        return;
    }
    p.escMonitor = std::make_shared<PortalEscMonitor>(bus, mainQueue);
    melde(u"Escape (nur während einer Aufnahme gebunden)"_s, u"GlobalShortcuts-Portal"_s);
}

void bestueckeSway(Plattform& p, Sitzung& s, DefaultsStore& speicher, MainQueue& mainQueue) {
    if (!p.tasten) {
        auto quelle = std::make_unique<SwayTastenQuelle>(*s.swayBindungen,
                                                         [&speicher] { return hotkeys(speicher); });
        nimmAufUeberFenster(s, *quelle, [q = quelle.get()] { q->hotkeysGeaendert(); });
        p.tasten = std::move(quelle);
        melde(u"globale Tasten"_s, u"sway-IPC"_s);
    }
    p.escMonitor = std::make_shared<SwayEscMonitor>(*s.swayBindungen, mainQueue);
    p.vollbild = std::make_shared<SwayVollbildSonde>(*s.sway, *s.swayEreignisse, mainQueue);
    auto vorn = std::make_shared<SwayVordergrundApp>(*s.sway);
    p.vordergrund = vorn;
    p.arbeitsflaeche = vorn;
    melde(u"Escape, Vollbild und vordere Anwendung"_s, u"sway-IPC"_s);
}

// With data-control, the first way to post keys: the compositor's virtual keyboard,
// KWin's fake input (granted by the desktop entry), the RemoteDesktop portal, which asks
// the user once (at start, not at the first paste), a keyboard device of our own through
// /dev/uinput.
TastenSender* tastenWeg(Sitzung& s) {
    if (s.tastatur.bereit()) {
        melde(u"Einfügen"_s, u"data-control und virtuelle Tastatur"_s);
        return &s.tastatur;
    }
    s.kwinTastatur = std::make_unique<KWinTastatur>(s.verbindung, s.belegung);
    if (s.kwinTastatur->bereit()) {
        melde(u"Einfügen"_s, u"data-control und KWin-fake-input"_s);
        return s.kwinTastatur.get();
    }
    s.kwinTastatur.reset();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (PortalTastatur::verfuegbar(bus)) {
        s.portalTastatur =
            std::make_unique<PortalTastatur>(bus, PortalTastatur::standardTokenDatei());
        s.portalTastatur->starte();
        melde(u"Einfügen"_s, u"data-control und RemoteDesktop-Portal (der Desktop fragt einmal "
                             u"um Erlaubnis)"_s);
        return s.portalTastatur.get();
    }
    s.uinput = UinputTastatur::erstelle(s.belegung);
    if (s.uinput) {
        melde(u"Einfügen"_s, u"data-control und uinput (/dev/uinput)"_s);
        return s.uinput.get();
    }
    log().schreibe(u"Wayland: Einfügen nur bis in die Zwischenablage (keine virtuelle Tastatur, "
                   u"kein RemoteDesktop-Portal, kein Schreibrecht auf /dev/uinput); der Nutzer "
                   u"fügt mit Strg+V ein"_s);
    return nullptr;
}

// GNOME 43/44: Mutter's own remote-desktop session carries the clipboard and the keys,
// without a dialog (the portal there has no clipboard and asks at every start).
TastenSender* mutterWeg(Sitzung& s) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!MutterFernsteuerung::verfuegbar(bus)) {
        return nullptr;
    }
    s.mutter = std::make_unique<MutterFernsteuerung>(bus);
    if (!s.mutter->starte()) {
        s.mutter.reset();
        return nullptr;
    }
    s.fernAblage = std::make_unique<FernAblage>(bus, s.mutter->ablageWeg());
    melde(u"Einfügen"_s, u"Zwischenablage und Tasten von Mutters eigener "
                         u"RemoteDesktop-Schnittstelle (GNOME, ohne Rückfrage; ab GNOME 45 "
                         u"böte das RemoteDesktop-Portal dasselbe mit einer Rückfrage)"_s);
    return s.mutter.get();
}

// Without data-control (GNOME ≥ 45, Plasma ≥ 6.5) the RemoteDesktop portal's session
// carries both the clipboard and the keys.
TastenSender* portalWeg(Sitzung& s) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!PortalTastatur::verfuegbar(bus) || !PortalTastatur::ablageVerfuegbar(bus)) {
        log().schreibe(u"Wayland: Einfügen nicht möglich (der Compositor bietet kein "
                       u"data-control, das RemoteDesktop-Portal keine Zwischenablage)"_s);
        return nullptr;
    }
    s.portalTastatur =
        std::make_unique<PortalTastatur>(bus, PortalTastatur::standardTokenDatei(), true);
    s.fernAblage = std::make_unique<FernAblage>(bus, s.portalTastatur->ablageWeg());
    s.portalTastatur->starte();
    melde(u"Einfügen"_s, u"Zwischenablage und Tasten des RemoteDesktop-Portals (der Desktop "
                         u"fragt einmal um Erlaubnis)"_s);
    return s.portalTastatur.get();
}

// Whether a key can be posted.
bool bestueckeEinfuegen(Plattform& p, Sitzung& s, DefaultsStore& speicher, MainQueue& mainQueue) {
    Ablage* ablage = &s.ablage;
    TastenSender* tasten = nullptr;
    if (s.ablage.bereit()) {
        melde(u"Zwischenablage"_s, QString::fromLatin1(s.ablage.protokoll()));
        tasten = tastenWeg(s);
    } else {
        tasten = mutterWeg(s);
        if (tasten == nullptr) {
            tasten = portalWeg(s);
        }
        if (tasten == nullptr) {
            return false;
        }
        ablage = s.fernAblage.get();
    }
    p.inserter =
        std::make_shared<AblageTextInserter>(mainQueue, speicher, *p.vordergrund, *ablage, tasten);
    p.kopierablage = std::make_shared<AblageKopierablage>(*ablage);
    // The clipboard and the key senders are served by other threads (the connection's, or
    // the main thread where the portal's signals arrive): the copy runs on the caller's.
    p.auswahl = std::make_shared<AblageAuswahlKopierer>(*p.vordergrund, *ablage, tasten,
                                                        AblageAuswahlKopierer::aufDiesemThread());
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
    // On KDE, KWin photographs the active window alone. The portal photographs the whole
    // screen, with everything else that is open: only a window list that tells the active
    // window's frame lets us cut that window out; without one, no photo rather than that one.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (s.plasmaFenster && KWinFensterFoto::verfuegbar(bus)) {
        p.fensterFoto = std::make_shared<KWinFensterFoto>(bus);
        melde(u"Fensterfoto (aktives Fenster)"_s, u"KWin-ScreenShot2"_s);
        return true;
    }
    if (!PortalBildschirmfoto::verfuegbar(bus)) {
        log().schreibe(u"Wayland: kein Fensterfoto (kein Weg, das aktive Fenster allein "
                       u"aufzunehmen)"_s);
        return false;
    }
    if (!s.plasmaFenster) {
        log().schreibe(u"Wayland: kein Fensterfoto (das Screenshot-Portal zeigt den ganzen "
                       u"Bildschirm, der Ort des Fensters ist unbekannt); Texterkennung und "
                       u"Bildmodell arbeiten ohne Foto"_s);
        return false;
    }
    p.fensterFoto = std::make_shared<PortalBildschirmfoto>(bus, [&f = *s.plasmaFenster] {
        const auto aktiv = f.aktiv();
        return aktiv ? aktiv->rahmen : std::nullopt;
    });
    melde(u"Fensterfoto (aktives Fenster, aus dem Bild des Bildschirms geschnitten)"_s,
          u"Screenshot-Portal und KDE-Fensterverwaltung"_s);
    return true;
}

// What the user can do about a missing window photo: on KWin without the grant of the
// desktop entry, run the installed program; elsewhere nothing, and actions go without it.
QString aufnahmeHinweis(const Sitzung& s, bool foto) {
    if (foto) {
        return {};
    }
    return !s.plasmaFenster && KWinFensterFoto::verfuegbar(QDBusConnection::sessionBus())
               ? u"onb.bildschirm.kde"_s
               : u"onb.bildschirm.wayland"_s;
}

bool bestueckeHyprland(Plattform& p, Sitzung& s, MainQueue& mainQueue) {
    const auto ordner = HyprlandIpc::ordner();
    if (!ordner) {
        return false;
    }
    s.hyprland = std::make_unique<HyprlandIpc>(*ordner);
    auto vorn = std::make_shared<HyprlandVordergrundApp>(*s.hyprland);
    p.vordergrund = vorn;
    p.arbeitsflaeche = vorn;
    p.vollbild = std::make_shared<HyprlandVollbildSonde>(*s.hyprland, mainQueue);
    melde(u"Vollbild und vordere Anwendung"_s, u"Hyprland-IPC"_s);
    return true;
}

// KWin's window list, granted by the desktop entry.
bool bestueckePlasma(Plattform& p, Sitzung& s, MainQueue& mainQueue) {
    s.plasmaFenster = std::make_unique<PlasmaFenster>(s.verbindung);
    if (!s.plasmaFenster->bereit()) {
        s.plasmaFenster.reset();
        return false;
    }
    p.vordergrund = std::make_shared<ToplevelVordergrundApp>(*s.plasmaFenster);
    p.vollbild = std::make_shared<ToplevelVollbildSonde>(*s.plasmaFenster, mainQueue);
    melde(u"Vollbild und vordere Anwendung"_s, u"KDE-Fensterverwaltung"_s);
    return true;
}

// Where sway's IPC does not tell the focused application: Hyprland's IPC, KWin's window
// list, the compositor's foreign-toplevel list (wlroots), else the accessibility bus's
// active window.
void bestueckeVordergrund(Plattform& p, Sitzung& s, const KontextDienste& kontext,
                          MainQueue& mainQueue) {
    if (bestueckeHyprland(p, s, mainQueue) || bestueckePlasma(p, s, mainQueue)) {
        return;
    }
    s.fremdeFenster = std::make_unique<FremdeFenster>(s.verbindung);
    if (s.fremdeFenster->bereit()) {
        p.vordergrund = std::make_shared<ToplevelVordergrundApp>(*s.fremdeFenster);
        p.vollbild = std::make_shared<ToplevelVollbildSonde>(*s.fremdeFenster, mainQueue);
        melde(u"Vollbild und vordere Anwendung (ohne Prozess und Fensterort)"_s,
              u"foreign-toplevel"_s);
        return;
    }
    s.fremdeFenster.reset();
    if (!QDBusConnection::sessionBus().isConnected()) {
        // Every window then pastes with the ordinary keys, terminals too.
        p.vordergrund = std::make_shared<NullVordergrundApp>();
        log().schreibe(u"Wayland: vordere Anwendung unbekannt (kein Compositor-Weg, kein "
                       u"Sitzungsbus)"_s);
        return;
    }
    p.vordergrund = kontext.aktivesFenster();
    melde(u"vordere Anwendung (Programm des aktiven Fensters, ohne Vollbild)"_s, u"AT-SPI"_s);
}

void bestueckeKontext(Plattform& p, const KontextDienste& kontext, bool tastatur) {
    p.barrierefreiheit = kontext.barrierefreiheit;
    p.axKontext = kontext.axKontext;
    p.browserText = kontext.browserText(*p.vordergrund);
    p.vertrauen = kontext.vertrauen(tastatur);
    melde(u"Kontext"_s, u"AT-SPI"_s);
}

// On the compositor's overlay layer the overlays stay above every window, never take
// the focus and let clicks through; through XWayland they are windows the compositor
// never focuses; elsewhere they are not shown.
void bestueckeUeberlagerungen(Plattform& p) {
    if (QGuiApplication::platformName() == u"xcb"_s) {
        melde(u"HUD und Live-Box"_s, u"XWayland (Fenster ohne Fokus, kein layer-shell)"_s);
        return;
    }
    auto layerShell = std::make_shared<LayerShellUeberlagerung>();
    if (layerShell->bereit()) {
        p.ueberlagerung = layerShell;
        melde(u"HUD und Live-Box"_s, u"layer-shell"_s);
        return;
    }
    p.ueberlagerung = std::make_shared<VerborgeneUeberlagerung>();
    log().schreibe(u"Wayland: HUD und Live-Box nicht gezeigt (weder layer-shell noch XWayland): "
                   u"als gewöhnliche Fenster nähmen sie dem Feld des Nutzers den Fokus"_s);
}

// Without global keys the user binds the toggle command; GNOME's settings are named.
QString tastenHinweis() {
    return aufDesktop(u"GNOME"_s) ? u"onb.tasten.gnome"_s : u"onb.tasten.befehl"_s;
}

} // namespace

bool qtUeberXWayland() {
    if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || !qEnvironmentVariableIsSet("DISPLAY") ||
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return false;
    }
    const WaylandVerbindung verbindung;
    return verbindung.verbunden() && !verbindung.bietet(zwlr_layer_shell_v1_interface.name);
}

void bestuecke(Plattform& p, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontextFabrik) {
    auto sitzung = std::make_shared<Sitzung>();
    Sitzung& s = *sitzung;
    p.gemeinsam.push_back(sitzung);
    if (!s.verbindung.verbunden()) {
        log().schreibe(u"FEHLER: Wayland: keine Verbindung zum Compositor"_s);
        p.desktop = std::make_shared<WaylandDesktopZugang>(false, false, false);
        return;
    }
    bestueckeEvdev(p, s);
    if (verbindeSway(s)) {
        bestueckeSway(p, s, speicher, mainQueue);
    }
    if (!p.tasten) {
        bestueckePortal(p, s, speicher);
    }
    bestueckeKdeEscape(p, mainQueue);
    p.umleitung = s.umleitung.get();
    const bool tasten = static_cast<bool>(p.tasten);
    if (!tasten) {
        log().schreibe(u"Wayland: keine globalen Tasten auf diesem Desktop (kein sway-IPC, kein "
                       u"GlobalShortcuts-Portal); "
                       u"den Befehl „parlix --toggle“ in den Tastenkürzeln des Desktops "
                       u"binden"_s);
    }
    const KontextDienste kontext = kontextFabrik();
    p.gemeinsam.push_back(kontext.verbindung);
    if (!p.vordergrund) {
        bestueckeVordergrund(p, s, kontext, mainQueue);
    }
    const bool eingabe = bestueckeEinfuegen(p, s, speicher, mainQueue);
    const bool foto = bestueckeFoto(p, s);
    bestueckeKontext(p, kontext, eingabe);
    p.desktop = std::make_shared<WaylandDesktopZugang>(
        tasten, eingabe, foto,
        WaylandDesktopZugang::Hinweise{.tasten = tasten ? QString() : tastenHinweis(),
                                       .aufnahme = aufnahmeHinweis(s, foto)});
    bestueckeUeberlagerungen(p);
}

} // namespace parlix::WaylandPlattform
