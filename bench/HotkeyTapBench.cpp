#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/HotkeyTap.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// Takes the posted jobs and drops them, so that only the key thread's share is measured:
// the decision and building the job.
class VerwerfendeQueue final : public MainQueue {
public:
    void post(std::function<void()> job) override { benchmark::DoNotOptimize(job); }
    Zeitpunkt jetzt() const override { return {}; }

protected:
    void planeNach(Dauer, std::function<void()> job) override { benchmark::DoNotOptimize(job); }
};

// The key source is never started here; the benchmark calls the dispatch itself.
class StilleQuelle final : public TastenQuelle {
public:
    void starte(Behandler, Bereit) override {}
    void aktiviereWieder() override {}
};

// The four managers with the factory hotkeys, behind the dispatch.
struct Aufbau {
    Aufbau() {
        using S = Einstellungen::Schluessel;
        std::vector<std::shared_ptr<HotkeyManager>> manager;
        for (const S schluessel :
             {S::diktatHotkey, S::aktionHotkey, S::promptHotkey, S::lockHotkey}) {
            manager.push_back(HotkeyManager::erstelle(
                queue, speicher,
                [this, schluessel] {
                    return std::get<Hotkey>(Einstellungen(speicher).wert(schluessel));
                },
                schluessel == S::lockHotkey));
        }
        tap = std::make_unique<HotkeyTap>(std::move(manager), std::make_unique<StilleQuelle>());
        tap->starte();
    }

    VerwerfendeQueue queue;
    SpeicherDefaultsStore speicher;
    std::unique_ptr<HotkeyTap> tap;
};

// A key going down and up again: two events through the dispatch.
void druckUndLos(benchmark::State& state, quint32 typRunter, quint32 typHoch, qint64 keyCode,
                 quint64 flagsRunter) {
    Aufbau aufbau;
    for (auto _ : state) {
        benchmark::DoNotOptimize(aufbau.tap->behandle(typRunter, keyCode, flagsRunter));
        benchmark::DoNotOptimize(aufbau.tap->behandle(typHoch, keyCode, 0));
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// An ordinary letter the user types (A): no manager claims it.
BENCHMARK_CAPTURE(druckUndLos, gewoehnlicheTaste, Ereignistyp::tasteRunter, Ereignistyp::tasteHoch,
                  0, 0);
// L without modifiers: the lock manager's key, but not its combination.
BENCHMARK_CAPTURE(druckUndLos, tasteDerLockKombi, Ereignistyp::tasteRunter, Ereignistyp::tasteHoch,
                  37, 0);
// Left Control: the dictation manager posts a job for the press and the release.
BENCHMARK_CAPTURE(druckUndLos, passenderModifier, Ereignistyp::flagsGeaendert,
                  Ereignistyp::flagsGeaendert, 59, Hotkey::control);

} // namespace
