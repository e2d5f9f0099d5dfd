// Builds the cleanup system prompt as every dictation does: what it is made of is read
// from the store, then put together.
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

#include <benchmark/benchmark.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

void standardEinstellungen(benchmark::State& state) {
    SpeicherDefaultsStore speicher;
    const Einstellungen einstellungen(speicher);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CleanupPrompt::baue(einstellungen.cleanupZutaten(), u"com.apple.mail"_s));
    }
}
BENCHMARK(standardEinstellungen);

// A domain profile, a glossary of 80 terms and 20 snippets: about 7,300 characters.
void vollesGlossarUnd20Bausteine(benchmark::State& state) {
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen(speicher);
    einstellungen.setzeDiktatProfil(u"Medizin"_s);
    QStringList begriffe;
    for (int i = 0; i < 80; ++i) {
        begriffe.append(u"Fachbegriff%1"_s.arg(i));
    }
    einstellungen.setzeVokabular(begriffe.join(u", "_s));
    QList<Textbaustein> bausteine;
    for (int i = 0; i < 20; ++i) {
        bausteine.append({QUuid::createUuid(), u"Baustein %1"_s.arg(i),
                          u"auslöser %1, alternative %1"_s.arg(i),
                          u"Mit freundlichen Grüßen\nAbteilung %1, Musterstraße %1"_s.arg(i)});
    }
    einstellungen.setzeTextbausteine(bausteine);
    state.counters["zeichen"] = static_cast<double>(
        CleanupPrompt::baue(einstellungen.cleanupZutaten(), u"org.gnome.Terminal"_s).size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CleanupPrompt::baue(einstellungen.cleanupZutaten(), u"org.gnome.Terminal"_s));
    }
}
BENCHMARK(vollesGlossarUnd20Bausteine);

} // namespace
