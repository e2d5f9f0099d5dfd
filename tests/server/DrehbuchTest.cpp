#include "core/services/HttpTransport.hpp"
#include "tests/support/TestServer.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QWebSocket>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

HttpAntwort hole(const test::TestServer& server, const QString& pfad) {
    HttpAnfrage anfrage;
    anfrage.url = server.url(pfad);
    return HttpTransport::geteilt().fuehreAus(anfrage);
}

TEST(DrehbuchTest, QueuedAnswersComeFirstThenTheStandingOneAndUnscriptedPathsAre404) {
    test::TestServer server;
    server.drehbuch().stelleEin(QStringLiteral("/v"), Antwort::text(200, "immer"));
    server.drehbuch().reiheEin(QStringLiteral("/v"), Antwort::text(500, "erst"));
    server.drehbuch().reiheEin(QStringLiteral("/v"), Antwort::text(429, "dann"));

    EXPECT_EQ(hole(server, QStringLiteral("/v")).status, 500);
    EXPECT_EQ(hole(server, QStringLiteral("/v")).status, 429);
    EXPECT_EQ(hole(server, QStringLiteral("/v")).koerper, "immer");
    EXPECT_EQ(hole(server, QStringLiteral("/v")).koerper, "immer");

    const HttpAntwort fehlt = hole(server, QStringLiteral("/fehlt"));
    EXPECT_EQ(fehlt.status, 404);
    EXPECT_EQ(QJsonDocument::fromJson(fehlt.koerper)[QStringLiteral("detail")].toString(),
              QStringLiteral("nicht im Drehbuch: /fehlt"));
    EXPECT_EQ(server.drehbuch().anfragen(QStringLiteral("/v")).size(), 4);
}

TEST(DrehbuchTest, StreamUpgradeIsAcceptedOnlyOnTheStreamPath) {
    test::TestServer server;
    server.drehbuch().stelleStreamEin(
        StreamAblauf().warteAufEnde().sendeFinal(QStringLiteral("END")));

    QWebSocket stream;
    QNetworkRequest request(
        QUrl(QStringLiteral("ws://127.0.0.1:%1/eu/stream").arg(server.basis().port())));
    request.setRawHeader("X-Device-Id", "abc");
    QSignalSpy antworten(&stream, &QWebSocket::textMessageReceived);
    stream.open(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return stream.state() == QAbstractSocket::ConnectedState; }))
        << stream.errorString().toStdString();
    stream.sendTextMessage(QStringLiteral("END"));
    ASSERT_TRUE(antworten.wait());
    EXPECT_EQ(antworten.at(0).at(0).toString(), QStringLiteral("{\"final\":\"END\"}"));

    const auto handshakes = server.drehbuch().anfragen(QStringLiteral("/eu/stream"));
    ASSERT_EQ(handshakes.size(), 1);
    EXPECT_TRUE(handshakes[0].webSocket);
    EXPECT_EQ(handshakes[0].kopf("x-device-id"), "abc");

    QWebSocket fremd;
    QSignalSpy geschlossen(&fremd, &QWebSocket::disconnected);
    fremd.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/anders").arg(server.basis().port())));
    ASSERT_TRUE(geschlossen.wait());
    EXPECT_EQ(fremd.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
}

} // namespace
