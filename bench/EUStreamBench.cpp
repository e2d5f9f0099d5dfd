// The stream client against a loopback server that answers at once: the time from
// beende (which sends "END") to its return with the final transcript, and what sending
// one capture chunk costs the calling (audio) thread. The server and the network thread
// share the machine's cores with the caller.
#include "app/stream/EUStreamClient.hpp"
#include "app/stream/NetzFaden.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <benchmark/benchmark.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

// One capture chunk: about 85 ms of 16 kHz mono 16-bit PCM.
const QByteArray einChunk(2720, '\x11');

struct Umgebung {
    explicit Umgebung(const StreamAblauf& ablauf) {
        server.drehbuch().stelleStreamEin(ablauf);
        Einstellungen(speicher).setzeProxyURL(server.basis().toString());
    }

    // A started client whose handshake is done: the server's greeting has arrived.
    std::unique_ptr<EUStreamClient> verbundenerClient() {
        EUStreamClient::Optionen optionen;
        optionen.tokenQuelle = [] { return std::optional(u"tok"_s); };
        auto client = std::make_unique<EUStreamClient>(speicher, mainQueue, netz, optionen);
        client->onDelta = [this](const QString&) { ++begruessungen; };
        const int vorher = begruessungen;
        client->starte();
        mainQueue.warteBis([&] { return begruessungen > vorher; });
        return client;
    }

    test::TestServer server;
    SpeicherDefaultsStore speicher;
    test::VirtuelleMainQueue mainQueue;
    NetzFaden netz;
    int begruessungen = 0;
};

void endeBisTranskript(benchmark::State& state) {
    Umgebung umgebung(
        StreamAblauf().sendeDelta(u"Hallo"_s).warteAufEnde().sendeFinal(u"Hallo Welt."_s));
    for (auto _ : state) {
        auto client = umgebung.verbundenerClient();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(client->beende());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(endeBisTranskript)->UseManualTime()->Unit(benchmark::kMicrosecond);

void sendeEinenChunk(benchmark::State& state) {
    Umgebung umgebung(StreamAblauf().sendeDelta(u"Hallo"_s));
    auto client = umgebung.verbundenerClient();
    for (auto _ : state) {
        client->sende(einChunk);
    }
}
// Bounded: every chunk also travels to the server, which keeps it on record.
BENCHMARK(sendeEinenChunk)->Iterations(20000)->Unit(benchmark::kMicrosecond);

} // namespace
