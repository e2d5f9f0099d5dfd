#include "app/platform/wayland/WaylandPlattform.hpp"

#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiBrowserText.hpp"
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/wayland/Bildschirmkopie.hpp"
#include "app/platform/wayland/VirtuelleTastatur.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandAuswahlKopierer.hpp"
#include "app/platform/wayland/WaylandTextInserter.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/WaylandVertrauen.hpp"
#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "app/platform/wayland/sway/SwayEscMonitor.hpp"
#include "app/platform/wayland/sway/SwayTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

using namespace Qt::StringLiterals;

namespace parlix::WaylandPlattform {

namespace {

// What the services share; it lives as long as the platform (Plattform::grundlagen).
struct Sitzung {
    QtMainQueue mainQueue;
    WaylandVerbindung verbindung;
    WaylandAblage ablage{verbindung};
    VirtuelleTastatur tastatur{verbindung};
    AtspiVerbindung atspi;
    std::unique_ptr<SwayIpc> sway;
    std::unique_ptr<SwayEreignisse> swayEreignisse;
    std::unique_ptr<SwayBindungen> swayBindungen;
    std::unique_ptr<SwayVordergrundApp> swayVorn;
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
    s.swayVorn = std::make_unique<SwayVordergrundApp>(*s.sway);
    return true;
}

void bestueckeSway(Plattform& p, Sitzung& s, DefaultsStore& speicher) {
    p.tasten = std::make_unique<SwayTastenQuelle>(*s.swayBindungen,
                                                  [&speicher] { return hotkeys(speicher); });
    p.escMonitor = std::make_unique<SwayEscMonitor>(*s.swayBindungen, s.mainQueue);
    p.vollbild = std::make_unique<SwayVollbildSonde>(*s.sway, *s.swayEreignisse, s.mainQueue);
    p.vordergrund = std::make_unique<SwayVordergrundApp>(*s.sway);
    p.fokusOrt = std::make_unique<SwayVordergrundApp>(*s.sway);
    melde(u"globale Tasten, Escape, Vollbild und vordere Anwendung"_s, u"sway-IPC"_s);
}

void bestueckeEinfuegen(Plattform& p, Sitzung& s, DefaultsStore& speicher) {
    if (!s.ablage.bereit()) {
        log().schreibe(u"Wayland: Einfügen nicht möglich (der Compositor bietet kein "
                       u"data-control)"_s);
        return;
    }
    TastenSender* tasten = s.tastatur.bereit() ? &s.tastatur : nullptr;
    VordergrundApp& vorn = *p.vordergrund;
    p.inserter =
        std::make_unique<WaylandTextInserter>(s.mainQueue, speicher, vorn, s.ablage, tasten);
    p.auswahl = std::make_unique<WaylandAuswahlKopierer>(vorn, s.ablage, tasten);
    if (tasten != nullptr) {
        melde(u"Einfügen"_s, u"data-control und virtuelle Tastatur"_s);
    } else {
        log().schreibe(u"Wayland: Einfügen nur bis in die Zwischenablage (keine virtuelle "
                       u"Tastatur); der Nutzer fügt mit Strg+V ein"_s);
    }
}

} // namespace

void bestuecke(Plattform& p, DefaultsStore& speicher) {
    auto sitzung = std::make_shared<Sitzung>();
    Sitzung& s = *sitzung;
    p.grundlagen.push_back(sitzung);
    if (!s.verbindung.verbunden()) {
        log().schreibe(u"FEHLER: Wayland: keine Verbindung zum Compositor"_s);
        return;
    }
    if (verbindeSway(s)) {
        bestueckeSway(p, s, speicher);
    } else {
        log().schreibe(u"Wayland: keine globalen Tasten auf diesem Desktop (kein sway-IPC)"_s);
    }
    if (p.vordergrund) {
        bestueckeEinfuegen(p, s, speicher);
    }
    if (s.swayVorn) {
        auto foto = std::make_unique<Bildschirmkopie>(s.verbindung, *s.swayVorn);
        if (foto->bereit()) {
            p.fensterFoto = std::move(foto);
            melde(u"Fensterfoto"_s, u"screencopy"_s);
        }
    }
    p.axKontext = std::make_unique<AtspiKontext>(s.atspi);
    if (p.vordergrund) {
        p.browserText = std::make_unique<AtspiBrowserText>(s.atspi, *p.vordergrund, s.mainQueue);
    }
    p.vertrauen = std::make_unique<WaylandVertrauen>(s.atspi, s.tastatur.bereit());
    melde(u"Kontext"_s, u"AT-SPI"_s);
}

} // namespace parlix::WaylandPlattform
