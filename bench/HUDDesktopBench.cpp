#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/ui/hud/HUDBild.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "app/ui/hud/HUDWidget.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cmath>
#include <sys/resource.h>

using namespace parlix;

namespace {

// One frame of a style while recording, at the HUD's size on a 2x screen.
void BM_HUDBild(benchmark::State& state) {
    HUDMoment moment;
    moment.stil = HUDStil::alle()[static_cast<std::size_t>(state.range(0))];
    moment.zustandText = QStringLiteral("Listening…");
    for (int i = 0; i < 64; ++i) {
        moment.pegelVerlauf.append(static_cast<float>(0.5 + 0.4 * std::sin(i * 0.3)));
    }
    QImage bild(720, 360, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(2.0);
    for (auto _ : state) {
        moment.t += 1.0 / 60.0;
        moment.pegel = 0.5 + 0.4 * std::sin(moment.t * 5.0);
        bild.fill(Qt::transparent);
        QPainter maler(&bild);
        HUDBild::zeichne(maler, HUDBild::grundgroesse, moment);
    }
    state.SetLabel(moment.stil.rohwert.toString().toStdString());
}
BENCHMARK(BM_HUDBild)
    ->DenseRange(0, static_cast<int>(HUDStil::alle().size()) - 1)
    ->Unit(benchmark::kMicrosecond);

double prozessSekunden() {
    rusage verbrauch{};
    getrusage(RUSAGE_SELF, &verbrauch);
    const auto sek = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return sek(verbrauch.ru_utime) + sek(verbrauch.ru_stime);
}

// Counts the frames the window paints.
class BildZaehler final : public QObject {
public:
    int bilder = 0;

protected:
    bool eventFilter(QObject*, QEvent* ereignis) override {
        bilder += ereignis->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// The HUD window shown for two seconds per iteration, animating at its 60 frames per
// second with a moving level: the frames drawn, and the whole process's CPU share of one
// core (drawing, the X11 transfer, the event loop).
void BM_HUDFensterAnimiert(benchmark::State& state) {
    SpeicherDefaultsStore speicher;
    QtMainQueue uhr;
    NullArbeitsflaeche arbeitsflaeche;
    HUDModel model;
    model.setzeZustand(AppZustand::aufnehmend);
    HUDWidget hud(uhr, speicher, arbeitsflaeche);
    BildZaehler zaehler;
    hud.installEventFilter(&zaehler);
    double cpu = 0.0;
    double wand = 0.0;
    // The level arrives with every captured chunk, about every 85 ms.
    QTimer pegel;
    QElapsedTimer uhrzeit;
    uhrzeit.start();
    QObject::connect(&pegel, &QTimer::timeout, [&] {
        model.aktuellerPegel = static_cast<float>(0.5 + 0.4 * std::sin(uhrzeit.elapsed() / 90.0));
    });
    pegel.start(85);
    for (auto _ : state) {
        hud.zeige(model);
        QEventLoop schleife;
        QTimer::singleShot(2000, &schleife, &QEventLoop::quit);
        const double vorher = prozessSekunden();
        const qint64 start = uhrzeit.elapsed();
        zaehler.bilder = 0;
        schleife.exec();
        const double dauer = (uhrzeit.elapsed() - start) / 1000.0;
        cpu += prozessSekunden() - vorher;
        wand += dauer;
        state.counters["bilder_pro_s"] = zaehler.bilder / dauer;
        hud.verstecke();
    }
    state.counters["cpu_anteil_prozent"] = 100.0 * cpu / wand;
    state.counters["cpu_ms_pro_bild"] = 1000.0 * cpu / (state.counters["bilder_pro_s"] * wand);
}
BENCHMARK(BM_HUDFensterAnimiert)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
