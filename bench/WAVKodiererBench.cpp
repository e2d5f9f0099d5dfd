#include "core/audio/WAVKodierer.hpp"

#include <QByteArray>
#include <benchmark/benchmark.h>

using namespace parlix;

namespace {

// The content does not matter to the encoder; one minute at 16 kHz mono.
void wavEineMinute(benchmark::State& state) {
    const QByteArray pcm(60 * 16000 * 2, '\x11');
    for (auto _ : state) {
        benchmark::DoNotOptimize(WAVKodierer::wav(pcm, 16000, 1));
    }
    state.SetBytesProcessed(state.iterations() * pcm.size());
}
BENCHMARK(wavEineMinute)->Unit(benchmark::kMicrosecond);

} // namespace
