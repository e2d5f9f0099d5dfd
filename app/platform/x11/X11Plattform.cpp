#include "app/platform/x11/X11Plattform.hpp"

#include "app/platform/Plattform.hpp"
#include "app/platform/linux/AblageAuswahlKopierer.hpp"
#include "app/platform/linux/AblageKopierablage.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/x11/X11Ablage.hpp"
#include "app/platform/x11/X11Arbeitsflaeche.hpp"
#include "app/platform/x11/X11DesktopZugang.hpp"
#include "app/platform/x11/X11EscMonitor.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "app/platform/x11/X11TastenQuelle.hpp"
#include "app/platform/x11/X11VollbildSonde.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/concurrency/WarteAufJob.hpp"

namespace parlix::X11Plattform {

AblageAuswahlKopierer::Ausfuehrer aufDemMainThread(MainQueue& mainQueue) {
    return [&mainQueue](std::function<void()> schritt) {
        const auto poste = [&mainQueue](std::function<void()> job) {
            mainQueue.post(std::move(job));
        };
        const auto fertig = [schritt = std::move(schritt)] {
            schritt();
            return true;
        };
        return warteAufJob<bool>(poste, fertig, kMainFrist).has_value();
    };
}

void bestuecke(Plattform& p, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontext) {
    auto desktop = std::make_shared<X11DesktopZugang>();
    p.desktop = desktop;
    const KontextDienste dienste = kontext();
    p.barrierefreiheit = dienste.barrierefreiheit;
    auto vordergrund = std::make_shared<X11VordergrundApp>();
    auto tasten = std::make_shared<XTestTasten>();
    auto ablage = std::make_shared<X11Ablage>();
    p.gemeinsam.insert(p.gemeinsam.end(), {tasten, ablage, dienste.verbindung});
    auto quelle = std::make_unique<X11TastenQuelle>(mainQueue, speicher);
    p.umleitung = quelle.get();
    p.tasten = std::move(quelle);
    p.escMonitor = std::make_shared<X11EscMonitor>(mainQueue);
    p.vollbild = std::make_shared<X11VollbildSonde>(mainQueue);
    p.vordergrund = vordergrund;
    p.arbeitsflaeche = std::make_shared<X11Arbeitsflaeche>();
    p.inserter = std::make_shared<AblageTextInserter>(mainQueue, speicher, *vordergrund, *ablage,
                                                      tasten.get());
    p.kopierablage = std::make_shared<AblageKopierablage>(*ablage);
    p.auswahl = std::make_shared<AblageAuswahlKopierer>(*vordergrund, *ablage, tasten.get(),
                                                        aufDemMainThread(mainQueue));
    p.fensterFoto = std::make_shared<X11FensterFoto>();
    p.axKontext = dienste.axKontext;
    p.browserText = dienste.browserText(*vordergrund);
    // The server's extensions do not change while it runs: asked once.
    p.vertrauen = dienste.vertrauen(desktop->tastenUndEingabe());
}

} // namespace parlix::X11Plattform
