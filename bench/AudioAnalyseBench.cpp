#include "core/audio/AudioAnalyse.hpp"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <random>

using namespace parlix;

namespace {

constexpr int sampleRate = 16000;
// One capture chunk: about 85 ms at 16 kHz.
constexpr qsizetype chunkProben = 1365;

// A voice-like test signal: a 180 Hz tone under noise at a moderate level.
QByteArray signal(qsizetype proben) {
    std::mt19937 zufall(42);
    std::normal_distribution<double> rauschen(0.0, 800.0);
    QByteArray pcm(proben * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < proben; ++i) {
        const double wert =
            6000.0 * std::sin(2.0 * std::numbers::pi * 180.0 * i / sampleRate) + rauschen(zufall);
        qToLittleEndian(static_cast<qint16>(std::clamp(wert, -32768.0, 32767.0)),
                        pcm.data() + 2 * i);
    }
    return pcm;
}

void messenEineMinute(benchmark::State& state) {
    const QByteArray pcm = signal(60 * sampleRate);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AudioAnalyse::messen(pcm, sampleRate));
    }
    state.SetBytesProcessed(state.iterations() * pcm.size());
}
BENCHMARK(messenEineMinute)->Unit(benchmark::kMicrosecond);

void hatSpracheEineMinute(benchmark::State& state) {
    const QByteArray pcm = signal(60 * sampleRate);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AudioAnalyse::hatSprache(pcm, sampleRate, 0.3, 0.006));
    }
    state.SetBytesProcessed(state.iterations() * pcm.size());
}
BENCHMARK(hatSpracheEineMinute)->Unit(benchmark::kMicrosecond);

// What the audio thread spends on the level of every chunk.
void pegelEinesChunks(benchmark::State& state) {
    const QByteArray chunk = signal(chunkProben);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AudioAnalyse::pegel(chunk));
    }
    state.SetBytesProcessed(state.iterations() * chunk.size());
}
BENCHMARK(pegelEinesChunks);

} // namespace
