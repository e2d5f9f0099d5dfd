// The overlays in a Wayland test desktop, shown as the program shows them: the HUD of a
// recording and the live box with three words, both through layer-shell (or, started
// with "-platform xcb", as XWayland windows). Prints "gezeigt" once both are shown;
// SIGUSR1 fades them out, after which it prints "versteckt" and ends. Ends with 1 where
// the compositor offers no layer-shell.
#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/wayland/layershell/LayerShellUeberlagerung.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "app/ui/hud/HUDWidget.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"
#include "app/ui/livebox/LiveBoxWidget.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

volatile std::sig_atomic_t versteckeBald = 0;

void drucke(const char* zeile) {
    std::printf("%s\n", zeile);
    std::fflush(stdout);
}

} // namespace

// Under AddressSanitizer: whole stacks for every allocation. The protocol objects Qt's
// Wayland plugin leaves at exit are allocated inside libwayland-client, which the fast
// unwinder cannot leave, and only a whole stack names the plugin they are suppressed by.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

int main(int argc, char** argv) {
    using namespace parlix;
    QApplication app(argc, argv);
    std::signal(SIGUSR1, [](int) { versteckeBald = 1; });
    std::optional<LayerShellUeberlagerung> ueberlagerung;
    if (QGuiApplication::platformName() != u"xcb"_s) {
        ueberlagerung.emplace();
        if (!ueberlagerung->bereit()) {
            return 1;
        }
    }
    SpeicherDefaultsStore speicher;
    Einstellungen(speicher).setzeUiSprache(u"de"_s);
    QtMainQueue queue;
    NullArbeitsflaeche arbeitsflaeche;
    HUDModel hudModel;
    LiveBoxModel liveBoxModel;
    HUDWidget hud(queue, speicher, arbeitsflaeche);
    LiveBoxWidget liveBox(arbeitsflaeche);
    if (ueberlagerung) {
        ueberlagerung->uebernimm(hud, hud.platzierung());
        ueberlagerung->uebernimm(liveBox, liveBox.platzierung());
    }

    hudModel.setzeZustand(AppZustand::aufnehmend);
    hud.zeige(hudModel);
    liveBox.zeige(liveBoxModel);
    liveBoxModel.setze(u"Hallo aus Parlix"_s);
    drucke("gezeigt");

    int sichtbar = 2;
    const auto ausgeblendet = [&] {
        if (--sichtbar == 0) {
            drucke("versteckt");
            app.quit();
        }
    };
    QObject::connect(&hud, &SchwebeFenster::ausgeblendet, ausgeblendet);
    QObject::connect(&liveBox, &SchwebeFenster::ausgeblendet, ausgeblendet);
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, [&] {
        if (versteckeBald != 0) {
            versteckeBald = 0;
            hud.verstecke();
            liveBox.verstecke();
        }
    });
    wache.start(10);
    return app.exec();
}
