// Paste, accessibility reads, window photo and text recognition in a headless desktop.
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/x11/X11FensterFoto.hpp"
#include "app/platform/x11/X11TextInserter.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/ProzessDesktop.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <benchmark/benchmark.h>

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

// Raw key presses of the whole server, as the paste keystroke reaches it.
class TastenZeuge {
public:
    TastenZeuge() {
        int opcode = 0;
        int ereignis = 0;
        int fehler = 0;
        XQueryExtension(anzeige_, "XInputExtension", &opcode, &ereignis, &fehler);
        opcode_ = opcode;
        unsigned char maske[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(maske, XI_RawKeyPress);
        XIEventMask auswahl{XIAllMasterDevices, sizeof(maske), maske};
        XISelectEvents(anzeige_, DefaultRootWindow(anzeige_), &auswahl, 1);
        XSync(anzeige_, False);
    }
    ~TastenZeuge() { XCloseDisplay(anzeige_); }

    bool tasteGekommen() {
        bool gekommen = false;
        while (XPending(anzeige_) > 0) {
            XEvent e;
            XNextEvent(anzeige_, &e);
            gekommen |= e.xcookie.type == GenericEvent && e.xcookie.extension == opcode_;
        }
        return gekommen;
    }

private:
    Display* anzeige_ = XOpenDisplay(nullptr);
    int opcode_ = 0;
};

void BM_fuegeEinBisTastendruck(benchmark::State& state) {
    starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Bankfeld"_s}, u"Bankfeld"_s);
    QtMainQueue queue;
    SpeicherDefaultsStore speicher;
    X11VordergrundApp vorn;
    XTestTasten tasten;
    X11TextInserter inserter(queue, speicher, vorn, tasten);
    TastenZeuge zeuge;
    for (auto _ : state) {
        zeuge.tasteGekommen();
        QElapsedTimer uhr;
        uhr.start();
        inserter.fuegeEin(u"x"_s);
        while (!zeuge.tasteGekommen()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        state.SetIterationTime(static_cast<double>(uhr.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        while (uhr.elapsed() < 800) { // the restore, before the next round
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_fuegeEinBisTastendruck)
    ->UseManualTime()
    ->Iterations(10)
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
