// The capture thread's cost per chunk in the PulseAudio recorder: its own callback work
// (reading the stream, forming the chunk, calling onChunk, here with a handler that only
// counts). Measured as the CPU time the capture thread spends per chunk while a private
// sound server delivers audio at the pace of a real microphone; the chunk former alone
// is measured separately.
#include "app/platform/pulse/ChunkBildner.hpp"
#include "app/platform/pulse/PulseAudioRecorder.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/KopfloserTonServer.hpp"

#include <QFile>
#include <atomic>
#include <benchmark/benchmark.h>
#include <condition_variable>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <random>
#include <thread>
#include <unistd.h>

using namespace parlix;

namespace {

constexpr qsizetype kChunk = PulseAudioRecorder::kChunkBytes;
// One chunk of audio lasts 1365 / 16000 s.
constexpr std::chrono::microseconds kChunkDauer{85312};

QByteArray rauschen(qsizetype bytes) {
    std::mt19937 zufall(7);
    std::uniform_int_distribution<int> wert(-3000, 3000);
    QByteArray pcm(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        const int probe = wert(zufall);
        pcm[i] = static_cast<char>(probe & 0xff);
        pcm[i + 1] = static_cast<char>((probe >> 8) & 0xff);
    }
    return pcm;
}

double cpuSekunden(clockid_t uhr) {
    timespec zeit{};
    clock_gettime(uhr, &zeit);
    return static_cast<double>(zeit.tv_sec) + static_cast<double>(zeit.tv_nsec) * 1e-9;
}

// Writes one chunk of audio into the FIFO every chunk duration, like a microphone.
class Speiser {
public:
    explicit Speiser(const QString& fifo)
        : thread_([this, pfad = QFile::encodeName(fifo)] { laufe(pfad); }) {}
    ~Speiser() {
        weiter_ = false;
        thread_.join();
    }
    Speiser(const Speiser&) = delete;
    Speiser& operator=(const Speiser&) = delete;

private:
    void laufe(const QByteArray& pfad) {
        const int fd = ::open(pfad.constData(), O_WRONLY | O_CLOEXEC);
        const QByteArray block = rauschen(kChunk);
        auto naechster = std::chrono::steady_clock::now();
        while (fd >= 0 && weiter_) {
            if (::write(fd, block.constData(), static_cast<size_t>(block.size())) < 0) {
                break;
            }
            naechster += kChunkDauer;
            std::this_thread::sleep_until(naechster);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }

    std::atomic<bool> weiter_{true};
    std::thread thread_;
};

void aufnahmethreadProChunk(benchmark::State& state) {
    test::KopfloserTonServer server;
    if (!server.laeuft()) {
        state.SkipWithError(server.fehler().toStdString().c_str());
        return;
    }
    SpeicherDefaultsStore speicher;
    PulseAudioRecorder recorder(speicher);
    std::mutex sperre;
    std::condition_variable neu;
    long chunks = 0;
    pthread_t aufnahmethread{};
    recorder.onChunk = [&](const QByteArray&) {
        std::lock_guard halte(sperre);
        if (chunks++ == 0) {
            aufnahmethread = pthread_self();
        }
        neu.notify_all();
    };
    recorder.starte();
    Speiser speiser(server.fifo());

    std::unique_lock warte(sperre);
    neu.wait(warte, [&] { return chunks > 0; });
    clockid_t uhr{};
    pthread_getcpuclockid(aufnahmethread, &uhr);
    long gesehen = chunks;
    double vorher = cpuSekunden(uhr);
    for (auto _ : state) {
        neu.wait(warte, [&] { return chunks > gesehen; });
        gesehen = chunks;
        const double jetzt = cpuSekunden(uhr);
        state.SetIterationTime(jetzt - vorher);
        vorher = jetzt;
    }
    warte.unlock();
    recorder.stoppe();
}
BENCHMARK(aufnahmethreadProChunk)->UseManualTime()->Iterations(120)->Unit(benchmark::kMicrosecond);

// The chunk former alone, fed pieces of the size the server sends.
void chunkBildnerProChunk(benchmark::State& state) {
    const QByteArray stueck = rauschen(kChunk);
    long chunks = 0;
    ChunkBildner bildner(kChunk, [&](const QByteArray& chunk) {
        benchmark::DoNotOptimize(chunk.constData());
        ++chunks;
    });
    for (auto _ : state) {
        bildner.nimm(stueck.constData(), static_cast<std::size_t>(stueck.size()));
    }
    state.SetItemsProcessed(chunks);
}
BENCHMARK(chunkBildnerProChunk);

} // namespace
