// Client-side cost of a vision call: the screenshot travels as Base64 inside the JSON
// body, so the body grows with the window. Measured for the body alone and for a call
// to a loopback server that answers at once (its share of the two cores included).
#include "core/services/GroqVision.hpp"
#include "tests/support/TestServer.hpp"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// PNG data barely compresses further, so random bytes stand in for a screenshot.
QByteArray bildVon(qsizetype bytes) {
    QByteArray bild(bytes, Qt::Uninitialized);
    QRandomGenerator zufall(42);
    for (char& b : bild) {
        b = static_cast<char>(zufall.bounded(256));
    }
    return bild;
}

const QString system(300, QLatin1Char('s'));
const QString nutzer = QStringLiteral("ANWEISUNG: fasse zusammen");

void nutzlast(benchmark::State& state) {
    const QByteArray bild = bildVon(state.range(0) << 20);
    for (auto _ : state) {
        benchmark::DoNotOptimize(GroqVision::baueNutzlast(system, nutzer, bild));
    }
    state.SetBytesProcessed(state.iterations() * bild.size());
}
BENCHMARK(nutzlast)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void visionAufruf(benchmark::State& state) {
    test::TestServer server;
    server.drehbuch().stelleEin(
        QStringLiteral("/openai/v1/chat/completions"),
        Antwort::text(200, R"({"choices":[{"message":{"content":"Ein Fenster."}}]})"));
    const GroqVision vision(
        GroqVerbindung({server.url(QStringLiteral("/openai/v1")), QStringLiteral("token"),
                        QStringLiteral("geraet"), QStringLiteral("voxtral-mini-latest"),
                        QStringLiteral("openai/gpt-oss-120b"), QStringLiteral("mistral")}));
    const QByteArray bild = bildVon(state.range(0) << 20);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vision.frage(system, nutzer, bild));
    }
    state.SetBytesProcessed(state.iterations() * bild.size());
}
BENCHMARK(visionAufruf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
