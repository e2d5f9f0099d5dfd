#include "app/platform/x11/X11Plattform.hpp"

#include "app/platform/Plattform.hpp"
#include "app/platform/x11/X11Arbeitsflaeche.hpp"
#include "app/platform/x11/X11AuswahlKopierer.hpp"
#include "app/platform/x11/X11DesktopZugang.hpp"
#include "app/platform/x11/X11EscMonitor.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "app/platform/x11/X11Kopierablage.hpp"
#include "app/platform/x11/X11TastenQuelle.hpp"
#include "app/platform/x11/X11TextInserter.hpp"
#include "app/platform/x11/X11VollbildSonde.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"

namespace parlix::X11Plattform {

void bestuecke(Plattform& p, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontext) {
    auto desktop = std::make_shared<X11DesktopZugang>();
    p.desktop = desktop;
    const KontextDienste dienste = kontext();
    p.barrierefreiheit = dienste.barrierefreiheit;
    auto vordergrund = std::make_shared<X11VordergrundApp>();
    auto tasten = std::make_shared<XTestTasten>();
    p.gemeinsam.insert(p.gemeinsam.end(), {tasten, dienste.verbindung});
    auto quelle = std::make_unique<X11TastenQuelle>(mainQueue, speicher);
    p.umleitung = quelle.get();
    p.tasten = std::move(quelle);
    p.escMonitor = std::make_shared<X11EscMonitor>(mainQueue);
    p.vollbild = std::make_shared<X11VollbildSonde>(mainQueue);
    p.vordergrund = vordergrund;
    p.arbeitsflaeche = std::make_shared<X11Arbeitsflaeche>();
    p.inserter = std::make_shared<X11TextInserter>(mainQueue, speicher, *vordergrund, *tasten);
    p.kopierablage = std::make_shared<X11Kopierablage>();
    p.auswahl = std::make_shared<X11AuswahlKopierer>(mainQueue, *vordergrund, *tasten);
    p.fensterFoto = std::make_shared<X11FensterFoto>();
    p.axKontext = dienste.axKontext;
    p.browserText = dienste.browserText(*vordergrund);
    // The server's extensions do not change while it runs: asked once.
    p.vertrauen = dienste.vertrauen(desktop->tastenUndEingabe());
}

} // namespace parlix::X11Plattform
