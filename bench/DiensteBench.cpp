// Client-side cost of the service calls: building the upload and sending it to a
// loopback server that answers at once. The server runs on its own thread, so the
// figures include its share of the two cores.
#include "core/services/GroqChat.hpp"
#include "core/services/GroqTranskription.hpp"
#include "tests/support/TestServer.hpp"

#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// 60 s of 16 kHz mono 16-bit PCM behind a 44-byte WAV header.
const QByteArray eineMinuteWav(44 + 60 * 16000 * 2, '\x11');

GroqVerbindung verbindungZu(const test::TestServer& server) {
    return GroqVerbindung({server.url(QStringLiteral("/openai/v1")), QStringLiteral("token"),
                           QStringLiteral("geraet"), QStringLiteral("whisper-large-v3"),
                           QStringLiteral("openai/gpt-oss-120b"), QStringLiteral("groq")});
}

void multipartEinerMinute(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(GroqTranskription::baueMultipart(
            eineMinuteWav, QStringLiteral("whisper-large-v3"), QStringLiteral("de"),
            QStringLiteral("Parlix, Kubernetes"), GroqTranskription::grenze));
    }
    state.SetBytesProcessed(state.iterations() * eineMinuteWav.size());
}
BENCHMARK(multipartEinerMinute)->Unit(benchmark::kMicrosecond);

void transkriptionEinerMinute(benchmark::State& state) {
    test::TestServer server;
    server.drehbuch().stelleEin(QStringLiteral("/openai/v1/audio/transcriptions"),
                                Antwort::text(200, "Hallo Welt."));
    const GroqTranskription transkription(verbindungZu(server));
    for (auto _ : state) {
        benchmark::DoNotOptimize(transkription.transkribiere(eineMinuteWav, QStringLiteral("de"),
                                                             QStringLiteral("Parlix")));
    }
    state.SetBytesProcessed(state.iterations() * eineMinuteWav.size());
}
BENCHMARK(transkriptionEinerMinute)->Unit(benchmark::kMillisecond)->UseRealTime();

void chatAufruf(benchmark::State& state) {
    test::TestServer server;
    server.drehbuch().stelleEin(
        QStringLiteral("/openai/v1/chat/completions"),
        Antwort::text(200, R"({"choices":[{"message":{"content":"Hallo Welt."}}]})"));
    const GroqChat chat(verbindungZu(server));
    const QString system(4000, QLatin1Char('s')); // a cleanup prompt is a few kilobytes
    for (auto _ : state) {
        benchmark::DoNotOptimize(chat.fuehreAus(system, QStringLiteral("aehm also hallo welt"),
                                                std::nullopt, 0.2, QStringLiteral("low")));
    }
}
BENCHMARK(chatAufruf)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
