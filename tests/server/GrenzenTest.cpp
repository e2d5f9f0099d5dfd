// The limits of the server against raw clients on loopback: what an attacker would send.
#include "core/services/CurlTransfer.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "server/Drossel.hpp"
#include "server/ReferenzServer.hpp"
#include "tests/server/Flut.hpp"
#include "tests/server/KontenServer.hpp"
#include "tests/server/RoherClient.hpp"
#include "tests/server/SqliteBlick.hpp"
#include "tests/support/TestServer.hpp"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
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

QByteArray holeVersion() {
    return "GET /version HTTP/1.1\r\nHost: x\r\n\r\n";
}

QByteArray upload(qint64 laenge) {
    return "POST /openai/v1/audio/transcriptions HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
           "Content-Length: " +
           QByteArray::number(laenge) + "\r\n\r\n";
}

QHostAddress adresse(int nummer) {
    return QHostAddress(u"127.0.1.%1"_s.arg(nummer));
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
    const QByteArray riesig = antwort("POST /openai/v1/audio/transcriptions HTTP/1.1\r\nHost: "
                                      "x\r\nContent-Length: 1073741824\r\n\r\n");
    EXPECT_TRUE(riesig.startsWith("HTTP/1.1 413")) << riesig.data();
    EXPECT_TRUE(riesig.contains("\"detail\":\"Der Inhalt ist größer als 33554432 Bytes.\""));
    EXPECT_TRUE(antwort("POST /auth/login HTTP/1.1\r\nHost: x\r\nContent-Length: 70000\r\n\r\n")
                    .startsWith("HTTP/1.1 413"));
    EXPECT_TRUE(antwort("POST /a HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: "
                        "chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n")
                    .startsWith("HTTP/1.1 411"));
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\r\nX: " + QByteArray(20000, 'x') + "\r\n\r\n")
                    .startsWith("HTTP/1.1 431"));
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\nHost: x\n\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(antwort("GET /a HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(
        antwort("GET /a HTTP/1.1\r\nHost: x\r\nHost: y\r\n\r\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(drehbuch.anfragen().isEmpty());
    // A header that only names an upgrade does not switch the checks off.
    EXPECT_TRUE(
        antwort("GET /a HTTP/1.1\r\nHost: x\r\nUpgrade: x\r\n\r\n"
                "POST /b HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab")
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

    // Every frame from a client must be masked: a masked one, even in pieces, is taken;
    // the first without a mask ends the stream with 1002 and reaches nobody.
    RoherClient roh(server.port(), "GET /eu/stream HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                                   "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n");
    ASSERT_TRUE(roh.warteAuf("\r\n\r\n"));
    const QByteArray maskiert = QByteArray::fromHex("8182010203046060"); // "ab"
    for (const auto& [von, bis] : {std::pair{0, 1}, {1, 4}, {4, 8}}) {
        roh.sende(maskiert.sliced(von, bis - von));
        QTest::qWait(30);
    }
    roh.sende(QByteArray::fromHex("818200000000") + "cd");
    const auto texte = [&] { return drehbuch.streams().value(0).texte(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return texte().size() == 2; })) << texte().size();
    roh.sende("\x81\x02zz");
    const QByteArray schluss = roh.bisZumSchluss();
    EXPECT_TRUE(schluss.contains(QByteArray::fromHex("03ea"))) << schluss.toHex().data();
    ASSERT_TRUE(drehbuch.warteAufStreams(
        [](const QList<StreamMitschnitt>& s) { return s.size() == 1 && s[0].schlussCode; }));
    EXPECT_EQ(texte(), (QList<QByteArray>{"ab", "cd"}));

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

TEST(GrenzenTest, DrippingBodiesAreCutAndHoldNoMoreThanTheirClientsShare) {
    ServerGrenzen grenzen;
    grenzen.maxKoerperGross = 2 * ServerGrenzen::mib;
    grenzen.koerperBudget = 8 * ServerGrenzen::mib;
    grenzen.koerperProKunde = 1 * ServerGrenzen::mib;
    grenzen.koerperFensterMs = 500;
    grenzen.minKoerperProFenster = 4 * ServerGrenzen::kib;
    Drehbuch drehbuch;
    drehbuch.stelleEin(u"/openai/v1/audio/transcriptions"_s, Antwort::text(200, "ok"));
    ServerFaden server(drehbuch, grenzen);
    const quint16 port = server.port();

    // Announcing the largest body and dripping it, from one address and from twenty;
    // and from one more, sending a quarter fast and then dripping.
    std::vector<std::unique_ptr<RoherClient>> tropfend;
    for (int i = 0; i < 16; ++i) {
        tropfend.push_back(std::make_unique<RoherClient>(
            port, upload(grenzen.maxKoerperGross) + "x", QHostAddress(u"127.0.0.2"_s)));
    }
    for (int nummer = 1; nummer <= 20; ++nummer) {
        for (int i = 0; i < 4; ++i) {
            tropfend.push_back(std::make_unique<RoherClient>(
                port, upload(grenzen.maxKoerperGross) + "x", adresse(nummer)));
        }
    }
    std::vector<std::unique_ptr<RoherClient>> fuellend;
    for (int i = 0; i < 16; ++i) {
        fuellend.push_back(std::make_unique<RoherClient>(
            port, upload(grenzen.maxKoerperGross) + QByteArray(256 * ServerGrenzen::kib, 'a'),
            QHostAddress(u"127.0.0.3"_s)));
    }

    RoherClient anderer(port, upload(ServerGrenzen::mib) + QByteArray(ServerGrenzen::mib, 'b'));
    const QByteArray hochgeladen = anderer.bisZumSchluss();
    EXPECT_TRUE(hochgeladen.startsWith("HTTP/1.1 200")) << hochgeladen.left(200).data();

    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 1500) {
        for (auto& client : tropfend) {
            client->tropfe("x");
        }
        for (auto& client : fuellend) {
            client->tropfe("x");
        }
        QTest::qWait(100);
    }
    for (auto& client : tropfend) {
        const QByteArray antwort = client->bisZumSchluss(1s);
        EXPECT_TRUE(antwort.startsWith("HTTP/1.1 408")) << antwort.left(200).data();
        EXPECT_TRUE(antwort.contains("Der Inhalt kommt zu langsam an."));
    }
    // Past the share the server refuses (503, or a reset while the client still writes).
    int gehalten = 0;
    for (auto& client : fuellend) {
        const int antwort = status(client->bisZumSchluss(1s));
        EXPECT_TRUE(antwort == 408 || antwort == 503 || antwort == 0) << antwort;
        gehalten += antwort == 408 ? 1 : 0;
    }
    EXPECT_LE(gehalten, 4) << "four quarters fill the share of one client";
    EXPECT_TRUE(drehbuch.anfragen().size() == 1);
}

// The attempts the database counted for a key.
int gezaehlt(const QString& datei, const QString& schluessel) {
    int anzahl = 0;
    blickeInSqlite(datei, [&](QSqlQuery& abfrage) {
        abfrage.prepare(u"SELECT anzahl FROM drossel WHERE schluessel = ?"_s);
        abfrage.addBindValue(schluessel);
        abfrage.exec();
        anzahl = abfrage.next() ? abfrage.value(0).toInt() : 0;
    });
    return anzahl;
}

TEST(GrenzenTest, AClientFloodingSignInsIsRefusedAtTheDoorAndOthersDoNotNotice) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(u"k.sqlite"_s);
    KontenServer server(datei);
    const QJsonObject richtig{{u"email"_s, u"ana@example.org"_s},
                              {u"passwort"_s, u"richtig-lang"_s}};
    server.konto(u"ana@example.org"_s, u"richtig-lang"_s);
    const QByteArray geraten = R"({"email":"ana@example.org","passwort":"geraten!"})";
    Flut flut(server.port(), QHostAddress(u"127.0.0.2"_s), 250,
              "POST /auth/login HTTP/1.1\r\nHost: x\r\nContent-Type: application/json\r\n"
              "Content-Length: " +
                  QByteArray::number(geraten.size()) + "\r\n\r\n" + geraten,
              1s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return flut.antworten(429) > 250; }, 10000));
    // Sign-ins with the flood paused and running by turns, so that the machine's load
    // (shared with other work) hits both alike.
    std::vector<double> ruhig;
    std::vector<double> unterLast;
    int fehlgeschlagen = 0;
    for (int i = 0; i < 40; ++i) {
        flut.pausiere(i % 2 == 0);
        QTest::qWait(150);
        QElapsedTimer uhr;
        uhr.start();
        fehlgeschlagen += server.post(u"auth/login"_s, richtig).status == 200 ? 0 : 1;
        (i % 2 == 0 ? ruhig : unterLast).push_back(double(uhr.nsecsElapsed()) / 1e6);
    }
    std::sort(ruhig.begin(), ruhig.end());
    std::sort(unterLast.begin(), unterLast.end());
    EXPECT_EQ(fehlgeschlagen, 0);
    EXPECT_LE(unterLast[10], 1.5 * ruhig[10]) << "quiet " << ruhig[10] << " ms";
    // Refused at the door: nothing beyond the limit reached the database.
    EXPECT_LE(gezaehlt(datei, u"login:k:127.0.0.2"_s), KontenRegeln().loginKunde.anzahl);
}

TEST(GrenzenTest, TheDoorForgetsInventedAddressesInsteadOfGrowing) {
    Drossel tuer({2, 1000}, 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(tuer.zaehle(u"10.0.0.%1"_s.arg(i), 0));
    }
    // Full: a new address waits for the windows to end; the known ones keep counting.
    EXPECT_EQ(tuer.zaehle(u"10.1.0.0"_s, 10), 1000);
    EXPECT_FALSE(tuer.zaehle(u"10.0.0.7"_s, 10));
    EXPECT_EQ(tuer.zaehle(u"10.0.0.7"_s, 20), 980);
    // Ended windows make room.
    EXPECT_FALSE(tuer.zaehle(u"10.1.0.0"_s, 1000));
    EXPECT_FALSE(tuer.zaehle(u"10.1.0.1"_s, 1000));
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
    static QByteArray chatAnfrage() {
        return "POST /openai/v1/chat/completions HTTP/1.1\r\nHost: x\r\nX-Backend: groq\r\n"
               "X-Device-Id: abc\r\nContent-Length: 2\r\n\r\n{}";
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

TEST_F(RelaisGrenzenTest, SixtyFourSlowCallsAreRelayedAtOnceOverConnectionsKeptForTheNext) {
    Dienste::Einrichtung e = einrichtung();
    e.freiProGeraet = e.freiProKunde = {1000, 60 * KontenRegeln::minute};
    KontenServer server(ordner.filePath(u"k.sqlite"_s), e);
    upstream.drehbuch().stelleEin(u"/openai/v1/chat/completions"_s,
                                  Antwort::text(200, "{}").nach(2s));
    HttpAnfrage anfrage;
    anfrage.methode = "POST";
    anfrage.url = QUrl(u"http://127.0.0.1:%1/openai/v1/chat/completions"_s.arg(server.port()));
    anfrage.kopfzeilen = geraet("abc");
    anfrage.koerper = "{}";
    // All 64 connect at once, as a busy client's calls do: none waits to be accepted.
    HttpTransport client;
    for (int welle = 0; welle < 2; ++welle) {
        QElapsedTimer uhr;
        uhr.start();
        std::vector<std::shared_ptr<CurlTransfer>> rufe;
        for (int i = 0; i < 64; ++i) {
            rufe.push_back(client.starte(anfrage, {}));
        }
        for (const auto& ruf : rufe) {
            ruf->warte();
            EXPECT_EQ(ruf->ergebnis().status, 200);
        }
        EXPECT_LT(uhr.elapsed(), 2500);
    }
    EXPECT_EQ(upstream.verbindungen(), 64) << "the second wave found the first one's connections";
}

// A provider on a raw socket that sends its answer in parts, when the test says so.
class StueckweiserAnbieter {
public:
    StueckweiserAnbieter() { server_.listen(QHostAddress::LocalHost); }
    QUrl basis() const {
        return QUrl(u"http://127.0.0.1:%1/openai/v1"_s.arg(server_.serverPort()));
    }

    // Takes the next call, whole, and answers with the head of a chunked answer.
    bool nimmAn() {
        if (!server_.waitForNewConnection(5000)) {
            return false;
        }
        ruf_.reset(server_.nextPendingConnection());
        QByteArray anfrage;
        while (!anfrage.endsWith("{}") && ruf_->waitForReadyRead(5000)) {
            anfrage += ruf_->readAll();
        }
        schreibe("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                 "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n");
        return anfrage.endsWith("{}");
    }
    void sende(const QByteArray& stueck) {
        schreibe(QByteArray::number(stueck.size(), 16) + "\r\n" + stueck + "\r\n");
    }
    void beende() { schreibe("0\r\n\r\n"); }
    bool wirdGetrennt() {
        return ruf_->state() == QAbstractSocket::UnconnectedState ||
               ruf_->waitForDisconnected(5000);
    }

private:
    void schreibe(const QByteArray& bytes) {
        ruf_->write(bytes);
        ruf_->waitForBytesWritten(5000);
    }

    QTcpServer server_;
    std::unique_ptr<QTcpSocket> ruf_;
};

TEST_F(RelaisGrenzenTest, AChatAnswerIsPassedOnAsItArrivesAndCutShortBeyondTheCap) {
    StueckweiserAnbieter anbieter;
    Dienste::Einrichtung e = einrichtung();
    e.upstreams = {{u"groq"_s, {anbieter.basis(), "geheim"}}};
    e.relais.maxAntwortBytes = 1000;
    KontenServer server(ordner.filePath(u"k.sqlite"_s), e);

    // The client reads the first part while the provider is still writing, and the
    // connection carries on after the last.
    RoherClient client(server.port(), chatAnfrage());
    ASSERT_TRUE(anbieter.nimmAn());
    anbieter.sende(R"({"choices":[)");
    ASSERT_TRUE(client.warteAuf(R"({"choices":[)")) << client.bisZumSchluss(0ms).data();
    anbieter.sende(R"(]})");
    anbieter.beende();
    ASSERT_TRUE(client.warteAuf("]}\r\n0\r\n\r\n"));
    client.sende(holeVersion());
    EXPECT_TRUE(client.warteAuf("\"version\""));

    // HTTP/1.0 knows no chunks: the body as it is, ended by the close.
    RoherClient alt(server.port(),
                    "POST /openai/v1/chat/completions HTTP/1.0\r\nX-Backend: groq\r\n"
                    "X-Device-Id: abc\r\nContent-Length: 2\r\n\r\n{}");
    ASSERT_TRUE(anbieter.nimmAn());
    anbieter.sende(R"({"choices":[)");
    anbieter.sende(R"(]})");
    anbieter.beende();
    const QByteArray ganz = alt.bisZumSchluss();
    EXPECT_TRUE(ganz.startsWith("HTTP/1.1 200") && ganz.endsWith("\r\n\r\n{\"choices\":[]}"))
        << ganz.data();

    // Beyond the cap after the head went out: the caller learns that the answer is
    // incomplete instead of taking the first kilobyte for it, and the provider is left.
    HttpAnfrage anfrage;
    anfrage.methode = "POST";
    anfrage.url = QUrl(u"http://127.0.0.1:%1/openai/v1/chat/completions"_s.arg(server.port()));
    anfrage.kopfzeilen = geraet("abc");
    anfrage.koerper = "{}";
    const auto transfer = HttpTransport::geteilt().starte(anfrage, {});
    ASSERT_TRUE(anbieter.nimmAn());
    anbieter.sende("{\"a\":\"" + QByteArray(600, 'x'));
    QTest::qWait(200);
    anbieter.sende(QByteArray(600, 'x'));
    EXPECT_TRUE(anbieter.wirdGetrennt());
    transfer->warte();
    EXPECT_THROW(transfer->ergebnis(), TransportFehler);
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
