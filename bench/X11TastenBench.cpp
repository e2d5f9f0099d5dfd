// The key thread of the X11 key source on a private X server: its CPU time per key event
// (reading the raw event, translating it, HotkeyTap::behandle with the four managers
// deciding), the time from a key injected with XTest to that decision, and its CPU time
// while no key is pressed, which must be about nothing: it waits on the connection.
#include "app/platform/x11/X11TastenQuelle.hpp"
#include "app/platform/x11/XVerbindung.hpp"
#include "core/hotkeys/HotkeyTap.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/KopflosesDesktop.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/MitlesendeQuelle.hpp"

#include <QFile>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <benchmark/benchmark.h>
#include <ctime>
#include <thread>

using namespace parlix;

namespace {

// Takes the managers' posts and drops them: only the key thread is measured.
class VerwerfendeQueue final : public MainQueue {
public:
    void post(std::function<void()> job) override { benchmark::DoNotOptimize(job); }
    Zeitpunkt jetzt() const override { return Uhr::now(); }

protected:
    void planeNach(Dauer, std::function<void()> job) override { benchmark::DoNotOptimize(job); }
};

double sekunden(clockid_t uhr) {
    timespec zeit{};
    clock_gettime(uhr, &zeit);
    return static_cast<double>(zeit.tv_sec) + static_cast<double>(zeit.tv_nsec) * 1e-9;
}

// A desktop without window manager, the four managers with the factory hotkeys behind
// the real tap and source, and a keyboard to press keys with.
struct Aufbau {
    Aufbau()
        : desktop({.fensterManager = false, .barrierefreiheit = false}) {
        // The tap logs that it runs; not into the user's log.
        test::LogMitschnitt::umleitenFuerProzess();
        if (!desktop.laeuft()) {
            return;
        }
        using S = Einstellungen::Schluessel;
        std::vector<std::shared_ptr<HotkeyManager>> manager;
        for (const S s : {S::diktatHotkey, S::aktionHotkey, S::promptHotkey, S::lockHotkey}) {
            manager.push_back(HotkeyManager::erstelle(
                queue, speicher,
                [this, s] { return std::get<Hotkey>(Einstellungen(speicher).wert(s)); },
                s == S::lockHotkey));
        }
        auto quelle = std::make_unique<test::MitlesendeQuelle>(
            std::make_unique<X11TastenQuelle>(queue, speicher));
        mitleser = quelle.get();
        tap = std::make_unique<HotkeyTap>(std::move(manager), std::move(quelle));
        tap->starte();
        tastatur = XVerbindung::oeffne();
        // The source has reported whether it is set up once its thread is known.
        for (int versuch = 0; versuch < 500 && !mitleser->faden(); ++versuch) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (const auto faden = mitleser->faden()) {
            pthread_getcpuclockid(*faden, &uhr);
        }
    }

    ~Aufbau() {
        tap.reset();
        QFile::remove(log().pfad());
    }
    Aufbau(const Aufbau&) = delete;
    Aufbau& operator=(const Aufbau&) = delete;

    bool bereit() const {
        return desktop.laeuft() && tastatur.has_value() && mitleser->faden().has_value();
    }

    void tippe(KeySym symbol, bool runter) {
        Display* anzeige = tastatur->anzeige();
        XTestFakeKeyEvent(anzeige, XKeysymToKeycode(anzeige, symbol), runter, CurrentTime);
        XFlush(anzeige);
    }

    test::KopflosesDesktop desktop;
    VerwerfendeQueue queue;
    SpeicherDefaultsStore speicher;
    test::MitlesendeQuelle* mitleser = nullptr;
    std::unique_ptr<HotkeyTap> tap;
    std::optional<XVerbindung> tastatur;
    clockid_t uhr{};
};

// Each iteration is one event, an ordinary letter going down or up, timed in the key
// thread's CPU; the counter gives the time from the injection to the decision.
void tastenfadenProEreignis(benchmark::State& state) {
    Aufbau aufbau;
    if (!aufbau.bereit()) {
        state.SkipWithError("no X server");
        return;
    }
    bool runter = true;
    double wartezeit = 0;
    for (auto _ : state) {
        const std::size_t gesehen = aufbau.mitleser->ereignisse().size();
        const double cpuVorher = sekunden(aufbau.uhr);
        const double vorher = sekunden(CLOCK_MONOTONIC);
        aufbau.tippe(XK_a, runter);
        if (!aufbau.mitleser->warteAufMehrAls(gesehen, std::chrono::seconds(5))) {
            state.SkipWithError("the key did not arrive");
            break;
        }
        wartezeit += sekunden(CLOCK_MONOTONIC) - vorher;
        state.SetIterationTime(sekunden(aufbau.uhr) - cpuVorher);
        runter = !runter;
    }
    aufbau.tippe(XK_a, false);
    state.counters["us_taste_bis_entscheidung"] =
        benchmark::Counter(wartezeit * 1e6 / static_cast<double>(state.iterations()));
}
BENCHMARK(tastenfadenProEreignis)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The key thread's CPU time over two seconds without a key.
void tastenfadenImLeerlauf(benchmark::State& state) {
    Aufbau aufbau;
    if (!aufbau.bereit()) {
        state.SkipWithError("no X server");
        return;
    }
    constexpr double dauer = 2.0;
    for (auto _ : state) {
        const double vorher = sekunden(aufbau.uhr);
        std::this_thread::sleep_for(std::chrono::duration<double>(dauer));
        const double verbraucht = sekunden(aufbau.uhr) - vorher;
        state.SetIterationTime(verbraucht);
        state.counters["cpu_anteil_prozent"] = benchmark::Counter(verbraucht / dauer * 100.0);
    }
}
BENCHMARK(tastenfadenImLeerlauf)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

} // namespace
