#include "core/services/Geraet.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "tests/app/stream/StreamTestUmgebung.hpp"

#include <QTcpServer>
#include <thread>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class EUStreamClientTest : public test::StreamTestUmgebung {};

std::optional<QString> streamURLFuer(const QString& proxyURL) {
    SpeicherDefaultsStore speicher;
    Einstellungen(speicher).setzeProxyURL(proxyURL);
    const auto url = EUStreamClient::streamURL(speicher);
    return url ? std::optional(url->toString()) : std::nullopt;
}

TEST(EUStreamURLTest, SchemeFollowsTheBaseAndOnlyHostPortAndUserStay) {
    EXPECT_EQ(streamURLFuer(u"http://127.0.0.1:8000/openai/v1?k=1#f"_s),
              u"ws://127.0.0.1:8000/eu/stream"_s);
    EXPECT_EQ(streamURLFuer(u"https://nutzer@api.example.org/openai/v1"_s),
              u"wss://nutzer@api.example.org/eu/stream"_s);
    EXPECT_EQ(streamURLFuer(u"HTTP://Host/x"_s), u"ws://host/eu/stream"_s);
    EXPECT_EQ(streamURLFuer(u"ftp://host:21"_s), u"wss://host:21/eu/stream"_s);

    // Without a setting the backend's API base applies, minus its "/openai/v1".
    QUrl standard = GroqKonfiguration::proxyBasis();
    standard.setScheme(u"wss"_s);
    standard.setPath(u"/eu/stream"_s);
    EXPECT_EQ(streamURLFuer(QString()), standard.toString());

    for (const QString& kaputt :
         {u"   "_s, u"http://exa mple.com/"_s, u"http://[::1"_s, u"http://host:99999/"_s}) {
        EXPECT_EQ(streamURLFuer(kaputt), std::nullopt) << kaputt.toStdString();
    }
}

TEST_F(EUStreamClientTest, DeltasAccumulateOnTheMainQueueAndTheFinalIsTheResult) {
    auto client = starte(StreamAblauf()
                             .sendeDelta(u"Hallo"_s)
                             .sendeDelta(u" Welt"_s)
                             .warteAufEnde()
                             .sendeFinal(u"Hallo Welt."_s));
    EXPECT_TRUE(log.enthaelt(u"🇪🇺 EU-Stream geöffnet"_s));
    // Nothing reaches onDelta but through the main queue.
    ASSERT_TRUE(warteAufStream([](const auto&) { return true; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(deltas.isEmpty());
    // Parts that arrive together reach onDelta together.
    ASSERT_TRUE(
        mainQueue.warteBis([&] { return !deltas.isEmpty() && deltas.last() != u"Hallo"_s; }));
    EXPECT_EQ(deltas.last(), u"Hallo Welt"_s);
    EXPECT_LE(deltas.size(), 2);

    EXPECT_EQ(client->beende(), u"Hallo Welt."_s);

    const StreamMitschnitt stream = server.drehbuch().streams().at(0);
    EXPECT_EQ(stream.handshake.pfad, u"/eu/stream"_s);
    EXPECT_EQ(stream.handshake.query, QString());
    EXPECT_EQ(stream.handshake.kopf("Authorization"), "Bearer tok");
    EXPECT_EQ(stream.handshake.kopf("X-Device-Id"), Geraet::id().toUtf8());
    EXPECT_FALSE(stream.handshake.hatKopf("X-Backend"));
    EXPECT_EQ(stream.texte(), QList<QByteArray>{"END"});
}

// However many parts arrive while the main thread is busy, it gets the newest text once,
// not a copy of the text per part.
TEST_F(EUStreamClientTest, DeltasWaitingForTheMainQueueCoalesceIntoTheNewestText) {
    StreamAblauf ablauf;
    QString alle;
    for (int i = 0; i < 3000; ++i) {
        ablauf.sendeDelta(u"w "_s);
        alle += u"w "_s;
    }
    auto client = starte(ablauf.warteAufEnde().sendeFinal(u"fertig"_s));
    // The final comes after every part, so every part has been read once it is here.
    EXPECT_EQ(client->beende(), u"fertig"_s);
    mainQueue.laufe();
    EXPECT_EQ(deltas, QStringList{alle});
}

// A message far beyond any transcript is refused before it is buffered: the stream ends
// as if the connection had been lost, with what arrived before.
TEST_F(EUStreamClientTest, AMessageLargerThanFourMebibytesEndsTheStreamWithWhatArrived) {
    const QString gross(1024 * 1024, u'g');
    auto client =
        starte(StreamAblauf()
                   .sendeDelta(u"Hallo"_s)
                   .sendeDelta(gross)
                   .sendeText(R"({"delta":")" + QByteArray(5 * 1024 * 1024, 'x') + R"("})")
                   .warteAufEnde()
                   .sendeFinal(u"nie"_s));
    ASSERT_TRUE(mainQueue.warteBis(
        [&] { return !log.zeilen().filter(u"EU-Stream geschlossen: "_s).isEmpty(); }));
    EXPECT_EQ(client->beende(), u"Hallo"_s + gross);
}

TEST_F(EUStreamClientTest, ADeltaWithAFinalIsADeltaAndAnEmptyFinalIsAnEmptyResult) {
    auto client = starte(StreamAblauf()
                             .sendeText(R"({"delta":"A","final":"B"})")
                             .sendeText("kein json")
                             .sendeText(R"({"delta":7})")
                             .sendeBinaer("\x01")
                             .warteAufEnde()
                             .sendeFinal(QString()));
    const std::optional<QString> ergebnis = client->beende();
    ASSERT_TRUE(ergebnis.has_value()) << "an empty final is a result, not nothing";
    EXPECT_EQ(*ergebnis, QString());
    mainQueue.laufe();
    EXPECT_EQ(deltas, QStringList{u"A"_s});
}

TEST_F(EUStreamClientTest, AServerErrorSettlesTheStreamAndBeendeReturnsWhatArrivedAtOnce) {
    auto mitText = starte(StreamAblauf()
                              .sendeDelta(u"Hallo"_s)
                              .sendeFehler(QJsonValue::Null)
                              .sendeDelta(u" danach"_s));
    ASSERT_TRUE(warteAufLog(u"EU-Stream Server-Fehler"_s));
    auto start = Uhr::now();
    EXPECT_EQ(mitText->beende(), u"Hallo"_s);
    EXPECT_LT(msSeit(start), 1000);
    mainQueue.laufe();
    EXPECT_EQ(deltas, QStringList{u"Hallo"_s}) << "nothing is read after the error";

    auto ohneText = starte(StreamAblauf().sendeFehler());
    ASSERT_TRUE(mainQueue.warteBis([&] { return log.anzahl(u"EU-Stream Server-Fehler"_s) == 2; }));
    start = Uhr::now();
    EXPECT_EQ(ohneText->beende(), std::nullopt);
    EXPECT_LT(msSeit(start), 1000);
}

TEST_F(EUStreamClientTest, WithoutAFinalTheTimeoutGivesTheDeltasAndLaterResolutionsChangeNothing) {
    auto client = starte(
        StreamAblauf().sendeDelta(u"Hallo"_s).warteAufEnde().warte(400ms).sendeFinal(u"zu spät"_s),
        optionen(200ms));
    ASSERT_TRUE(mainQueue.warteBis([&] { return deltas.size() == 1; }));
    const auto start = Uhr::now();
    EXPECT_EQ(client->beende(), u"Hallo"_s);
    EXPECT_GE(msSeit(start), 200);

    ASSERT_TRUE(warteAufStream([](const auto& s) { return s.endeEmpfangen(); }));
    std::this_thread::sleep_for(600ms); // the late final arrives meanwhile
    client->abbrechen();
    EXPECT_EQ(client->beende(), u"Hallo"_s);

    auto still = starte(StreamAblauf(), optionen(100ms));
    EXPECT_EQ(still->beende(), std::nullopt);
}

TEST_F(EUStreamClientTest, SignedOutSendsNoAuthorizationButTheDeviceId) {
    qsizetype anzahl = 0;
    for (const std::optional<QString>& token :
         {std::optional<QString>(), std::optional(QString())}) {
        auto o = optionen();
        o.tokenQuelle = [token] { return token; };
        auto client = starte(StreamAblauf(), o);
        ASSERT_TRUE(warteAufStream([](const auto&) { return true; }, ++anzahl));
        const Anfrage handshake = server.drehbuch().streams().at(anzahl - 1).handshake;
        EXPECT_FALSE(handshake.hatKopf("Authorization"));
        EXPECT_EQ(handshake.kopf("X-Device-Id"), Geraet::id().toUtf8());
    }
}

TEST_F(EUStreamClientTest, ARefusedHandshakeIsALostConnection) {
    server.drehbuch().stelleEin(ReferenzServer::streamPfad, Antwort::fehler(401, u"kein Token"_s));
    auto client = starte(StreamAblauf());
    client->sende("vor dem Handshake");
    ASSERT_TRUE(mainQueue.warteBis(
        [&] { return log.zeilen().filter(u"EU-Stream geschlossen: "_s).size() == 1; }));
    EXPECT_TRUE(log.zeilen().filter(u"EU-Stream geschlossen: "_s)[0].contains(u"401"_s));
    const auto start = Uhr::now();
    EXPECT_EQ(client->beende(), std::nullopt);
    EXPECT_LT(msSeit(start), 1000);
    // The chunk that waited for the handshake, and "END", could not be sent.
    EXPECT_TRUE(mainQueue.warteBis(
        [&] { return log.zeilen().filter(u"EU-Stream send-Fehler: "_s).size() == 2; }));
}

TEST_F(EUStreamClientTest, AConnectionClosedByTheServerEndsWithTheDeltas) {
    auto client = starte(StreamAblauf()
                             .sendeDelta(u"Hallo"_s)
                             .schliesse(QWebSocketProtocol::CloseCodeBadOperation, u"kaputt"_s));
    ASSERT_TRUE(mainQueue.warteBis(
        [&] { return !log.zeilen().filter(u"EU-Stream geschlossen: "_s).isEmpty(); }));
    EXPECT_EQ(client->beende(), u"Hallo"_s);
    EXPECT_TRUE(mainQueue.warteBis(
        [&] { return !log.zeilen().filter(u"EU-Stream send-Fehler: "_s).isEmpty(); }));

    // Nobody listening at all.
    QTcpServer frei;
    ASSERT_TRUE(frei.listen(QHostAddress::LocalHost));
    const quint16 port = frei.serverPort();
    frei.close();
    Einstellungen(speicher).setzeProxyURL(u"http://127.0.0.1:%1"_s.arg(port));
    auto niemand = starte(StreamAblauf());
    const auto start = Uhr::now();
    EXPECT_EQ(niemand->beende(), std::nullopt);
    EXPECT_LT(msSeit(start), 1000);
    EXPECT_EQ(log.zeilen().filter(u"EU-Stream geschlossen: "_s).size(), 2);

    // A base without a host parses, so the stream starts and fails at once.
    Einstellungen(speicher).setzeProxyURL(u"beispiel.de:8000/x"_s);
    auto ohneHost = starte(StreamAblauf());
    EXPECT_EQ(ohneHost->beende(), std::nullopt);
    EXPECT_TRUE(log.enthaelt(u"EU-Stream geschlossen: Verbindungsaufbau gescheitert"_s));
}

TEST_F(EUStreamClientTest, AHandshakeThatNeverCompletesFailsAfterItsLimit) {
    QTcpServer stumm; // accepts into its backlog and never answers
    ASSERT_TRUE(stumm.listen(QHostAddress::LocalHost));
    Einstellungen(speicher).setzeProxyURL(u"http://127.0.0.1:%1"_s.arg(stumm.serverPort()));
    auto o = optionen();
    o.handshakeLimit = 150ms;
    auto client = starte(StreamAblauf(), o);
    ASSERT_TRUE(warteAufLog(u"EU-Stream geschlossen: Zeitüberschreitung beim Verbindungsaufbau"_s));
    const auto start = Uhr::now();
    EXPECT_EQ(client->beende(), std::nullopt);
    EXPECT_LT(msSeit(start), 1000);
}

TEST_F(EUStreamClientTest, AnUnparsableBaseStartsNothing) {
    Einstellungen(speicher).setzeProxyURL(u"http://exa mple.com"_s);
    EUStreamClient client(speicher, mainQueue, netz, optionen(100ms));
    EXPECT_FALSE(client.starte());
    client.sende("chunk");
    EXPECT_EQ(client.beende(), std::nullopt);
    EXPECT_TRUE(log.zeilen().isEmpty());
    EXPECT_EQ(server.verbindungen(), 0);
}

TEST_F(EUStreamClientTest, TheStopTokenEndsBeendeAtOnce) {
    auto client = starte(StreamAblauf().sendeDelta(u"Hallo"_s));
    ASSERT_TRUE(mainQueue.warteBis([&] { return deltas.size() == 1; }));
    std::stop_source stop;
    std::jthread abbruch([&] {
        std::this_thread::sleep_for(50ms);
        stop.request_stop();
    });
    const auto start = Uhr::now();
    EXPECT_EQ(client->beende(stop.get_token()), std::nullopt);
    EXPECT_LT(msSeit(start), 1000);

    auto schonGestoppt = starte(StreamAblauf());
    const auto zweiter = Uhr::now();
    EXPECT_EQ(schonGestoppt->beende(stop.get_token()), std::nullopt);
    EXPECT_LT(msSeit(zweiter), 1000);
}

TEST_F(EUStreamClientTest, CancellingClosesWithGoingAwayAndSendsNothingMore) {
    auto client = starte(StreamAblauf().sendeDelta(u"Hallo"_s));
    client->sende("eins");
    ASSERT_TRUE(warteAufStream([](const auto& s) { return s.chunks().size() == 1; }));
    ASSERT_TRUE(mainQueue.warteBis([&] { return deltas.size() == 1; }));
    client->abbrechen();
    client->sende("zwei");
    EXPECT_EQ(client->beende(), u"Hallo"_s) << "after the cancel: the deltas, at once";
    ASSERT_TRUE(warteAufStream([](const auto& s) { return s.schlussCode.has_value(); }));
    const StreamMitschnitt stream = server.drehbuch().streams().at(0);
    EXPECT_EQ(stream.schlussCode, QWebSocketProtocol::CloseCodeGoingAway);
    EXPECT_EQ(stream.chunks(), QList<QByteArray>{"eins"});
    EXPECT_TRUE(stream.texte().isEmpty());
    EXPECT_TRUE(log.zeilen().filter(u"EU-Stream geschlossen"_s).isEmpty());
    EXPECT_TRUE(log.zeilen().filter(u"send-Fehler"_s).isEmpty());
}

} // namespace
