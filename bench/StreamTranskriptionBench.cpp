// The reference server's live stream through an ordinary transcription endpoint: a
// loopback provider that answers every call after a fixed 300 ms, speech sent at the pace
// it is spoken (85 ms chunks), the server as a user's local backend. Measured: the time
// from the first spoken chunk to the first live words, from "END" to the final
// transcript (the iteration time), and the provider calls per minute of speech.
#include "server/Dienste.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <benchmark/benchmark.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto antwortZeit = 300ms;
constexpr auto chunkDauer = 85ms;
constexpr int chunks = 70; // about 6 s of speech
const QByteArray geheimnis = "Ab3_xY9-Qr7tUv2wLm5nKp8sDf1gHj4kZc6bVn0eRty";
const QString pfad = u"/v1/audio/transcriptions"_s;

// A square wave loud enough to count as speech, 85 ms long.
QByteArray tonChunk() {
    QByteArray ton;
    for (int i = 0; i < 1360; ++i) {
        const auto wert = static_cast<qint16>(8000 * ((i / 20) % 2 == 0 ? 1 : -1));
        ton.append(reinterpret_cast<const char*>(&wert), 2);
    }
    return ton;
}

struct Umgebung {
    Umgebung() {
        anbieter.drehbuch().stelleEin(
            pfad, Antwort::text(200, "eins zwei drei vier fünf").nach(antwortZeit));
        Dienste::Einrichtung einrichtung;
        einrichtung.datenbank = Datenbank::ausAngabe(ordner.filePath(u"konten.sqlite"_s));
        einrichtung.codeVersand = [](const QString&, const QString&) {};
        einrichtung.anbieter = Anbieter::ausJson(
            {{u"transkription"_s, QJsonObject{{u"url"_s, anbieter.url(u"/v1"_s).toString()},
                                              {u"modell"_s, u"whisper"_s}}}});
        einrichtung.lokalGeheimnis = geheimnis;
        dienste = std::make_unique<Dienste>(std::move(einrichtung));
        server = std::make_unique<ServerFaden>(*dienste);
    }

    QTemporaryDir ordner;
    test::TestServer anbieter;
    std::unique_ptr<Dienste> dienste;
    std::unique_ptr<ServerFaden> server;
};

void liveWorteUeberBatchAnbieter(benchmark::State& state) {
    Umgebung umgebung;
    const QByteArray ton = tonChunk();
    double erstesWortMs = 0;
    qsizetype aufrufe = 0;
    for (auto _ : state) {
        const qsizetype vorher = umgebung.anbieter.drehbuch().anfragen(pfad).size();
        QWebSocket stream;
        QNetworkRequest anfrage(
            QUrl(u"ws://127.0.0.1:%1/eu/stream"_s.arg(umgebung.server->port())));
        anfrage.setRawHeader("X-Parlix-Lokal", geheimnis);
        stream.open(anfrage);
        if (!QTest::qWaitFor([&] { return stream.state() == QAbstractSocket::ConnectedState; })) {
            state.SkipWithError("the stream did not open");
            break;
        }
        QElapsedTimer uhr;
        std::optional<qint64> erstesWort;
        bool fertig = false;
        QObject::connect(&stream, &QWebSocket::textMessageReceived, [&](const QString& text) {
            const QJsonObject nachricht = QJsonDocument::fromJson(text.toUtf8()).object();
            if (nachricht.contains(u"delta"_s) && !erstesWort) {
                erstesWort = uhr.elapsed();
            }
            fertig = fertig || nachricht.contains(u"final"_s);
        });
        uhr.start();
        for (int i = 0; i < chunks; ++i) {
            stream.sendBinaryMessage(ton);
            QTest::qWait(static_cast<int>(
                std::max<qint64>(0, (i + 1) * chunkDauer.count() - uhr.elapsed())));
        }
        const auto ende = std::chrono::steady_clock::now();
        stream.sendTextMessage(u"END"_s);
        if (!QTest::qWaitFor([&] { return fertig; }, 10000)) {
            state.SkipWithError("no final transcript");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - ende).count());
        erstesWortMs += static_cast<double>(erstesWort.value_or(-1));
        aufrufe += umgebung.anbieter.drehbuch().anfragen(pfad).size() - vorher;
    }
    const double minuten = static_cast<double>(state.iterations()) * chunks *
                           std::chrono::duration<double>(chunkDauer).count() / 60.0;
    state.counters["erstes_wort_ms"] = erstesWortMs / static_cast<double>(state.iterations());
    state.counters["aufrufe_pro_minute"] = static_cast<double>(aufrufe) / minuten;
}
BENCHMARK(liveWorteUeberBatchAnbieter)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
