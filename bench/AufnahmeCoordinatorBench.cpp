#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/coordinator/EUStreamTranskription.hpp"
#include "app/stream/NetzFaden.hpp"
#include "app/ui/hud/HUDController.hpp"
#include "app/ui/livebox/LiveBoxController.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/FakePlattform.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"
#include "tests/support/server/StreamAblauf.hpp"

#include <QJsonArray>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int samplesProChunk = 1360; // 85 ms at 16 kHz, as capture delivers them

QByteArray tonChunk(int nummer) {
    QByteArray chunk(samplesProChunk * 2, Qt::Uninitialized);
    for (int i = 0; i < samplesProChunk; ++i) {
        const double t = (nummer * samplesProChunk + i) / 16000.0;
        const auto wert = static_cast<qint16>(3000 * std::sin(2 * std::numbers::pi * 440 * t));
        qToLittleEndian(wert, chunk.data() + 2 * i);
    }
    return chunk;
}

// A recorder the benchmark drives itself: its thread plays the capture thread.
class DirektRecorder final : public AudioRecorder {
public:
    void starte() override {}
    void stoppe() override {}
};

// The coordinator with fakes for the desktop, the virtual main queue (run by the
// benchmark's thread, which plays the main thread) and the reference server on loopback
// answering every call at once; with `mitStream` recordings are streamed to it, and the
// stream's final transcript follows "END" at once.
struct Aufbau {
    explicit Aufbau(bool mitStream) {
        Einstellungen einstellungen(speicher);
        einstellungen.setzeProxyURL(server.url(u"/openai/v1"_s).toString());
        GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional(u"geraet"_s); });
        server.drehbuch().stelleEin(u"/openai/v1/audio/transcriptions"_s,
                                    Antwort::text(200, "das ist ein test"));
        const QJsonObject nachricht{{u"content"_s, u"Das ist ein Test."_s}};
        server.drehbuch().stelleEin(
            u"/openai/v1/chat/completions"_s,
            Antwort::json(200,
                          {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}}));
        server.drehbuch().stelleStreamEin(
            StreamAblauf().warteAufEnde().sendeFinal(u"das ist ein test"_s));
        AufnahmeDienste dienste = plattform.dienste(queue, speicher, verlauf, http);
        if (mitStream) {
            EUStreamClient::Optionen optionen;
            optionen.tokenQuelle = [] { return std::optional<QString>(); };
            dienste.stream = EUStreamTranskription::fabrik(speicher, queue, netz, optionen);
        }
        standardRecorder = dienste.recorder;
        dienste.recorder = [this] {
            if (!direktAufnehmen) {
                return standardRecorder();
            }
            auto neu = std::make_unique<DirektRecorder>();
            direkt = neu.get();
            return std::unique_ptr<AudioRecorder>(std::move(neu));
        };
        // Nothing here reads the HUD's texts: the keys stand for them.
        coordinator = AufnahmeCoordinator::erstelle(
            std::move(dienste), {hud, liveBox, [](const QString& key) { return key; }});
    }
    ~Aufbau() {
        coordinator.reset();
        queue.laufe();
    }

    TestServer server;
    NetzFaden netz;
    SpeicherDefaultsStore speicher;
    VerlaufStore verlauf{speicher};
    VirtuelleMainQueue queue;
    HttpTransport http;
    FakePlattform plattform;
    HUDController hud{plattform.hud};
    LiveBoxController liveBox{plattform.liveBox};
    AudioRecorderFabrik standardRecorder;
    // New recordings use a DirektRecorder; `direkt` is the latest.
    bool direktAufnehmen = false;
    DirektRecorder* direkt = nullptr;
    std::shared_ptr<AufnahmeCoordinator> coordinator;
};

// From stoppeAufnahme to the fuegeEin call after one second of speech: speech check, WAV,
// the stream's final transcript (or a batch transcription), cleanup and delivery. The
// paste delay that fuegeEin applies itself comes after and is not included.
void stopBisEinfuegen(benchmark::State& state) {
    Aufbau aufbau(state.range(0) != 0);
    AufnahmeCoordinator& c = *aufbau.coordinator;
    QList<QByteArray> sekunde;
    for (int i = 0; i < 12; ++i) {
        sekunde.append(tonChunk(i));
    }
    for (auto _ : state) {
        c.starteAufnahme(Aufnahmemodus::diktat);
        aufbau.plattform.mikrofon.liefere(sekunde);
        aufbau.plattform.desktop.eingefuegtUm.reset();
        const auto start = std::chrono::steady_clock::now();
        c.stoppeAufnahme();
        aufbau.queue.warteBis([&] { return aufbau.plattform.desktop.eingefuegtUm.has_value(); });
        const std::chrono::duration<double> dauer = *aufbau.plattform.desktop.eingefuegtUm - start;
        state.SetIterationTime(dauer.count());
        aufbau.queue.vorspulen(1s);
    }
}
BENCHMARK(stopBisEinfuegen)
    ->ArgName("stream")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The chunk handler on the capture thread for one 85 ms chunk: its level, posting the
// level to the main queue, appending it to the recording and handing it to the stream.
void chunkHandler(benchmark::State& state) {
    Aufbau aufbau(state.range(0) != 0);
    AufnahmeCoordinator& c = *aufbau.coordinator;
    aufbau.direktAufnehmen = true;
    const QByteArray chunk = tonChunk(3);
    c.starteAufnahme(Aufnahmemodus::diktat);
    int zaehler = 0;
    for (auto _ : state) {
        aufbau.direkt->onChunk(chunk);
        // Every 256 chunks (22 s): the main thread catches up; a new recording begins.
        if (++zaehler % 256 == 0) {
            state.PauseTiming();
            aufbau.queue.laufe();
            c.starteAufnahme(Aufnahmemodus::diktat);
            state.ResumeTiming();
        }
    }
    c.abbrechen();
}
// A fixed count keeps what the server records of the streams small.
BENCHMARK(chunkHandler)
    ->ArgName("stream")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);

} // namespace
