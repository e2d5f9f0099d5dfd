// The limits of the server against raw clients on loopback: what an attacker would send.
#include "server/ReferenzServer.hpp"
#include "tests/server/KontenServer.hpp"
#include "tests/support/TestServer.hpp"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <gtest/gtest.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A raw client: connects, sends `bytes`, and reads until the server closes or the limit.
class RoherClient {
public:
    RoherClient(quint16 port, const QByteArray& bytes = {}) {
        socket_.connectToHost(QHostAddress::LocalHost, port);
        socket_.waitForConnected(5000);
        sende(bytes);
    }
    void sende(const QByteArray& bytes) {
        if (!bytes.isEmpty()) {
            socket_.write(bytes);
            socket_.waitForBytesWritten(5000);
        }
    }
    // Everything until the server closes; stops early after `limit`.
    QByteArray bisZumSchluss(std::chrono::milliseconds limit = 5s) {
        QElapsedTimer uhr;
        uhr.start();
        while (socket_.state() == QAbstractSocket::ConnectedState &&
               uhr.elapsed() < limit.count()) {
            socket_.waitForReadyRead(50);
            empfangen_ += socket_.readAll();
        }
        return empfangen_ += socket_.readAll();
    }
    bool offen() {
        socket_.waitForReadyRead(10);
        return socket_.state() == QAbstractSocket::ConnectedState;
    }

private:
    QTcpSocket socket_;
    QByteArray empfangen_;
};

QByteArray holeVersion() {
    return "GET /version HTTP/1.1\r\nHost: x\r\n\r\n";
}

TEST(GrenzenTest, PipelinedRequestsAreAnsweredInTheirOrder) {
    TestServer server;
    server.drehbuch().stelleEin(u"/langsam"_s, Antwort::text(200, "erste").nach(300ms));
    server.drehbuch().stelleEin(u"/schnell"_s, Antwort::text(200, "zweite"));
    RoherClient client(server.basis().port(), "GET /langsam HTTP/1.1\r\nHost: x\r\n\r\n"
                                              "GET /schnell HTTP/1.1\r\nHost: x\r\n"
                                              "Connection: close\r\n\r\n");
    const QByteArray antworten = client.bisZumSchluss();
    ASSERT_TRUE(antworten.contains("erste") && antworten.contains("zweite")) << antworten.data();
    EXPECT_LT(antworten.indexOf("erste"), antworten.indexOf("zweite"));
}

TEST(GrenzenTest, BadFramingIsRefusedBeforeTheRequestIsHandled) {
    Drehbuch drehbuch;
    ServerFaden server(drehbuch);
    const quint16 port = server.port();
    const auto antwort = [&](const QByteArray& anfrage) {
        return RoherClient(port, anfrage).bisZumSchluss();
    };
    EXPECT_TRUE(antwort("POST /a HTTP/1.1\r\nContent-Length: 3\r\nContent-Length: 5\r\n\r\nabcde")
                    .startsWith("HTTP/1.1 400"));
    const QByteArray riesig = antwort(
        "POST /openai/v1/audio/transcriptions HTTP/1.1\r\nContent-Length: 1073741824\r\n\r\n");
    EXPECT_TRUE(riesig.startsWith("HTTP/1.1 413")) << riesig.data();
    EXPECT_TRUE(riesig.contains("\"detail\":\"Der Inhalt ist größer als 33554432 Bytes.\""));
    EXPECT_TRUE(antwort("POST /auth/login HTTP/1.1\r\nContent-Length: 70000\r\n\r\n")
                    .startsWith("HTTP/1.1 413"));
    EXPECT_TRUE(
        antwort("POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n")
            .startsWith("HTTP/1.1 411"));
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\r\nX: " + QByteArray(20000, 'x') + "\r\n\r\n")
                    .startsWith("HTTP/1.1 431"));
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\nHost: x\n\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(drehbuch.anfragen().isEmpty());
    // A header that only names an upgrade does not switch the checks off.
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\r\nUpgrade: x\r\n\r\n"
                        "POST /b HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab")
                    .contains("HTTP/1.1 400"));
}

TEST(GrenzenTest, SlowAndIdleClientsAreClosed) {
    ServerGrenzen grenzen;
    grenzen.kopfFristMs = 300;
    grenzen.leseFristMs = 300;
    grenzen.ruheFristMs = 300;
    Drehbuch drehbuch;
    ServerFaden server(drehbuch, grenzen);

    QElapsedTimer uhr;
    uhr.start();
    RoherClient langsam(server.port(), "GET /version HTTP/1.1\r\nHo");
    const QByteArray abgewiesen = langsam.bisZumSchluss();
    EXPECT_TRUE(abgewiesen.startsWith("HTTP/1.1 408")) << abgewiesen.data();
    EXPECT_TRUE(abgewiesen.contains("Die Anfrage kam nicht rechtzeitig an."));

    RoherClient tropfend(server.port(), "GET /version HTTP/1.1\r\n");
    for (int i = 0; i < 8 && tropfend.offen(); ++i) { // a byte now and then does not help
        QTest::qWait(100);
        tropfend.sende("X");
    }
    EXPECT_FALSE(tropfend.offen());

    RoherClient still(server.port());
    RoherClient fertig(server.port(), holeVersion());
    EXPECT_TRUE(fertig.bisZumSchluss().startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(still.bisZumSchluss().isEmpty());
    EXPECT_LT(uhr.elapsed(), 5000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.getrennt() == server.verbindungen(); }));
}

TEST(GrenzenTest, AtTheConnectionCapIdleConnectionsMakeRoomAndBusyOnesGet503) {
    ServerGrenzen grenzen;
    grenzen.maxVerbindungen = 3;
    Drehbuch drehbuch;
    drehbuch.stelleEin(u"/version"_s, Antwort::text(200, "1.0"));
    ServerFaden server(drehbuch, grenzen);

    std::vector<std::unique_ptr<RoherClient>> ruhend;
    for (int i = 0; i < 3; ++i) {
        ruhend.push_back(std::make_unique<RoherClient>(server.port()));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.verbindungen() == 3; }));
    RoherClient neu(server.port(), holeVersion());
    EXPECT_TRUE(neu.bisZumSchluss(1s).contains("1.0"));
    EXPECT_FALSE(ruhend[0]->offen()) << "the longest idle made room";

    std::vector<std::unique_ptr<RoherClient>> beschaeftigt;
    for (int i = 0; i < 3; ++i) {
        beschaeftigt.push_back(std::make_unique<RoherClient>(server.port(), "GET /version HT"));
    }
    QTest::qWait(200); // until the server has read their first bytes
    const QByteArray voll = RoherClient(server.port(), holeVersion()).bisZumSchluss();
    EXPECT_TRUE(voll.startsWith("HTTP/1.1 503")) << voll.data();
    EXPECT_TRUE(voll.contains("Zu viele Verbindungen."));
}

TEST(GrenzenTest, StreamsAreHeldToMessageSizeAndSilence) {
    ServerGrenzen grenzen;
    grenzen.streamRuheFristMs = 300;
    Drehbuch drehbuch;
    ServerFaden server(drehbuch, grenzen);
    const QUrl url(u"ws://127.0.0.1:%1/eu/stream"_s.arg(server.port()));

    QWebSocket gross;
    QSignalSpy grossZu(&gross, &QWebSocket::disconnected);
    gross.open(url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gross.state() == QAbstractSocket::ConnectedState; }));
    gross.sendBinaryMessage(QByteArray(200 * 1024, '\0'));
    ASSERT_TRUE(grossZu.wait());
    EXPECT_EQ(gross.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);

    QWebSocket still;
    QSignalSpy stillZu(&still, &QWebSocket::disconnected);
    still.open(url);
    ASSERT_TRUE(stillZu.wait(5000));
    EXPECT_EQ(still.closeCode(), QWebSocketProtocol::CloseCodeGoingAway);
}

class RelaisGrenzenTest : public ::testing::Test {
protected:
    Dienste::Einrichtung einrichtung() {
        Dienste::Einrichtung e = KontenServer::vorgabe();
        e.upstreams = {{u"groq"_s, {upstream.url(u"/openai/v1"_s), "geheim"}}};
        return e;
    }
    static Kopfzeilen geraet(const QByteArray& id) {
        return {{"X-Device-Id", id}, {"X-Backend", "groq"}, {"Content-Type", "application/json"}};
    }
    static QByteArray chatAnfrage(const QByteArray& kopf = {}) {
        return "POST /openai/v1/chat/completions HTTP/1.1\r\nHost: x\r\nX-Backend: groq\r\n"
               "X-Device-Id: abc\r\n" +
               kopf + "Content-Length: 2\r\n\r\n{}";
    }

    QTemporaryDir ordner;
    TestServer upstream;
};

TEST_F(RelaisGrenzenTest, ConcurrencyAndAnswerSizeAreCappedAndALeavingClientCancelsUpstream) {
    Dienste::Einrichtung e = einrichtung();
    e.relais.maxGleichzeitig = 1;
    e.relais.maxAntwortBytes = 1000;
    KontenServer server(ordner.filePath(u"k.sqlite"_s), e);
    upstream.drehbuch().stelleEin(u"/openai/v1/chat/completions"_s, Antwort::nie());

    {
        RoherClient wartend(server.port(), chatAnfrage());
        ASSERT_TRUE(upstream.drehbuch().warteAufAnfragen(1));
        const QByteArray voll = RoherClient(server.port(), chatAnfrage()).bisZumSchluss(2s);
        EXPECT_TRUE(voll.startsWith("HTTP/1.1 503")) << voll.data();
        EXPECT_TRUE(voll.contains("Zu viele gleichzeitige Anfragen"));
    }
    // The client went away: the relay drops its upstream call.
    EXPECT_TRUE(QTest::qWaitFor([&] { return upstream.getrennt() >= 1; }, 5000));

    upstream.drehbuch().stelleEin(u"/openai/v1/chat/completions"_s,
                                  Antwort::text(200, QByteArray(5000, 'x')));
    const HttpAntwort gross =
        server.sende("POST", u"openai/v1/chat/completions"_s, {}, geraet("abc"));
    EXPECT_EQ(gross.status, 502);
    EXPECT_EQ(detail(gross), u"Die Antwort des Anbieters ist zu groß."_s);
}

TEST_F(RelaisGrenzenTest, WithoutATokenOnlyTheFreeAllowanceOfADeviceIsRelayed) {
    Dienste::Einrichtung e = einrichtung();
    e.freiProGeraet = {2, 60 * KontenRegeln::minute};
    KontenServer server(ordner.filePath(u"k.sqlite"_s), e);
    upstream.drehbuch().stelleEin(u"/openai/v1/chat/completions"_s, Antwort::text(200, "{}"));
    const QString pfad = u"openai/v1/chat/completions"_s;

    EXPECT_EQ(server.sende("POST", pfad, {}, geraet("a")).status, 200);
    EXPECT_EQ(server.sende("POST", pfad, {}, geraet("a")).status, 200);
    const HttpAntwort aufgebraucht = server.sende("POST", pfad, {}, geraet("a"));
    EXPECT_EQ(aufgebraucht.status, 429);
    EXPECT_FALSE(detail(aufgebraucht).isEmpty());
    EXPECT_EQ(server.sende("POST", pfad, {}, geraet("b")).status, 200);

    Kopfzeilen mitToken = geraet("a");
    mitToken.append(
        {"Authorization", "Bearer " + server.konto(u"a@b.de"_s, u"12345678"_s).toUtf8()});
    EXPECT_EQ(server.sende("POST", pfad, {}, mitToken).status, 200);

    Dienste::Einrichtung nurToken = einrichtung();
    nurToken.freiProGeraet.anzahl = 0;
    KontenServer streng(ordner.filePath(u"s.sqlite"_s), nurToken);
    EXPECT_EQ(streng.sende("POST", pfad, {}, geraet("c")).status, 401);
}

} // namespace
