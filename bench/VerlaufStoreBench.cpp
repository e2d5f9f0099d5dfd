#include "core/history/VerlaufStore.hpp"
#include "core/settings/DateiDefaultsStore.hpp"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// One result added to a full history: trimming, encoding 50 entries and writing the
// settings file atomically, as after every dictation.
void hinzufuegenVollerVerlauf(benchmark::State& state) {
    QTemporaryDir verzeichnis;
    DateiDefaultsStore speicher(verzeichnis.filePath(QStringLiteral("defaults.json")));
    VerlaufStore store(speicher);
    const QString text = QStringLiteral("Das ist ein diktierter Satz von üblicher Länge, "
                                        "mit Satzzeichen und Umlauten: äöüß.");
    for (int i = 0; i < VerlaufStore::maximum; ++i) {
        store.hinzufuegen(QStringLiteral("Diktat"), text, QStringLiteral("das ist ein satz"));
    }
    for (auto _ : state) {
        store.hinzufuegen(QStringLiteral("Diktat"), text, QStringLiteral("das ist ein satz"));
    }
}
BENCHMARK(hinzufuegenVollerVerlauf)->Unit(benchmark::kMicrosecond);

} // namespace
