#include "core/text/Lokalisierung.hpp"

#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// A window builds dozens of labels at once and the pipelines look up one error text
// each; all of them go through this lookup over the built-in tables.
void textLookup(benchmark::State& state, const char* key, const char* sprache) {
    const QString k = QString::fromUtf8(key);
    const QString s = QString::fromUtf8(sprache);
    benchmark::DoNotOptimize(Lokalisierung::text(k, s)); // first call loads the tables
    for (auto _ : state) {
        benchmark::DoNotOptimize(Lokalisierung::text(k, s));
    }
}

BENCHMARK_CAPTURE(textLookup, found, "fehler.nichts", "de");
BENCHMARK_CAPTURE(textLookup, unknownLanguage, "fehler.nichts", "pt");
BENCHMARK_CAPTURE(textLookup, missingKey, "fehler.gibtEsNicht", "de");

void waehleLookup(benchmark::State& state) {
    const Lokalisierung::Tabellen tabellen{
        {QStringLiteral("de"), *Lokalisierung::tabelle(QStringLiteral("de"))},
        {QStringLiteral("en"), *Lokalisierung::tabelle(QStringLiteral("en"))}};
    const QString key = QStringLiteral("fehler.nichts");
    const QString sprache = QStringLiteral("de");
    for (auto _ : state) {
        benchmark::DoNotOptimize(Lokalisierung::waehle(key, sprache, tabellen));
    }
}
BENCHMARK(waehleLookup);

} // namespace
