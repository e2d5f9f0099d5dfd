// Paste, accessibility reads, window photo and text recognition in a headless desktop.
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/x11/X11Ablage.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/ProzessDesktop.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <poll.h>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace parlix {
namespace {

// Starts a program in the benchmark's desktop and waits for its window.
void starte(const QString& programm, const QStringList& argumente, const QString& fenster) {
    test::prozessDesktop().starte(programm, argumente);
    test::prozessDesktop().warteAufFenster(fenster);
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Raw key presses of the whole server, taken on a thread of its own the moment the
// server delivers them (the main thread is busy sending them).
class TastenZeuge {
public:
    TastenZeuge() {
        int ereignis = 0;
        int fehler = 0;
        XQueryExtension(anzeige_, "XInputExtension", &opcode_, &ereignis, &fehler);
        unsigned char maske[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(maske, XI_RawKeyPress);
        XIEventMask auswahl{XIAllMasterDevices, sizeof(maske), maske};
        XISelectEvents(anzeige_, DefaultRootWindow(anzeige_), &auswahl, 1);
        XSync(anzeige_, False);
        faden_ = std::thread([this] { beobachte(); });
    }
    ~TastenZeuge() {
        ende_ = true;
        faden_.join();
        XCloseDisplay(anzeige_);
    }

    // Forgets the presses seen so far.
    void vergiss() { letzte_ = 0; }
    // When the first press since vergiss() arrived, in steady-clock nanoseconds; 0: none.
    qint64 ankunft() const { return letzte_; }

private:
    void beobachte() {
        pollfd warten{ConnectionNumber(anzeige_), POLLIN, 0};
        while (!ende_) {
            poll(&warten, 1, 20);
            while (XPending(anzeige_) > 0) {
                XEvent e;
                XNextEvent(anzeige_, &e);
                const auto jetzt = std::chrono::steady_clock::now().time_since_epoch();
                qint64 keine = 0;
                if (e.xcookie.type == GenericEvent && e.xcookie.extension == opcode_) {
                    letzte_.compare_exchange_strong(keine, std::chrono::nanoseconds(jetzt).count());
                }
            }
        }
    }

    Display* anzeige_ = XOpenDisplay(nullptr);
    int opcode_ = 0;
    std::atomic<qint64> letzte_{0};
    std::atomic<bool> ende_{false};
    std::thread faden_;
};

void BM_fuegeEinBisTastendruck(benchmark::State& state) {
    starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Bankfeld"_s}, u"Bankfeld"_s);
    QtMainQueue queue;
    SpeicherDefaultsStore speicher;
    X11VordergrundApp vorn;
    XTestTasten tasten;
    X11Ablage ablage;
    AblageTextInserter inserter(queue, speicher, vorn, ablage, &tasten);
    TastenZeuge zeuge;
    std::vector<double> dauern;
    for (auto _ : state) {
        zeuge.vergiss();
        const auto start = std::chrono::steady_clock::now();
        inserter.fuegeEin(u"x"_s, {});
        while (zeuge.ankunft() == 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        const auto dauer = std::chrono::nanoseconds(zeuge.ankunft()) - start.time_since_epoch();
        state.SetIterationTime(std::chrono::duration<double>(dauer).count());
        dauern.push_back(std::chrono::duration<double, std::milli>(dauer).count());
        state.PauseTiming();
        QElapsedTimer uhr;
        uhr.start();
        while (uhr.elapsed() < 800) { // the restore, before the next round
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        state.ResumeTiming();
    }
    // On a shared machine a few rounds wait for the processor; the median shows the path.
    std::nth_element(dauern.begin(), dauern.begin() + dauern.size() / 2, dauern.end());
    state.counters["median_ms"] = dauern[dauern.size() / 2];
}
BENCHMARK(BM_fuegeEinBisTastendruck)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

void BM_atspiFeldinhalt(benchmark::State& state) {
    static AtspiVerbindung verbindung;
    starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Lesefeld"_s, u"ein Feld mit etwas Text"_s},
           u"Lesefeld"_s);
    AtspiKontext kontext(verbindung);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kontext.text());
    }
}
BENCHMARK(BM_atspiFeldinhalt)->Unit(benchmark::kMillisecond);

QByteArray& bildschirmFoto() {
    static QByteArray png;
    return png;
}

void BM_fensterFoto1280x800(benchmark::State& state) {
    starte(u"xterm"_s,
           {u"-T"_s, u"Vollfenster"_s, u"-maximized"_s, u"-e"_s, u"sh"_s, u"-c"_s,
            u"ls -l /usr/bin | head -40; sleep 600"_s},
           u"Vollfenster"_s);
    X11FensterFoto foto;
    for (auto _ : state) {
        bildschirmFoto() = foto.fensterScreenshot().value_or(QByteArray());
    }
}
BENCHMARK(BM_fensterFoto1280x800)->Unit(benchmark::kMillisecond);

void BM_texterkennung1280x800(benchmark::State& state) {
    TesseractErkennung erkennung;
    for (auto _ : state) {
        benchmark::DoNotOptimize(erkennung.ocr(bildschirmFoto()));
    }
}
BENCHMARK(BM_texterkennung1280x800)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlix
