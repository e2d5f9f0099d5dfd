#include "server/ReferenzServer.hpp"
#include "tests/support/TestServer.hpp"

#include <QSignalSpy>
#include <QTest>
#include <QWebSocket>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

class StreamAblaufTest : public ::testing::Test {
protected:
    // Opens a stream to the server and waits for the handshake to finish.
    void verbinde() {
        QNetworkRequest request(QUrl(u"ws://127.0.0.1:%1/eu/stream"_s.arg(server.basis().port())));
        request.setRawHeader("Authorization", "Bearer tok");
        client.open(request);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return client.state() == QAbstractSocket::ConnectedState;
        })) << client.errorString().toStdString();
    }

    // Waits until `anzahl` text messages have arrived in all.
    bool empfange(qsizetype anzahl) {
        return QTest::qWaitFor([&] { return nachrichten.size() >= anzahl; });
    }

    test::TestServer server;
    QWebSocket client;
    QSignalSpy nachrichten{&client, &QWebSocket::textMessageReceived};
    QSignalSpy getrennt{&client, &QWebSocket::disconnected};
};

TEST_F(StreamAblaufTest, ScriptWaitsForChunksAndEndAndTheServerRecordsEveryFrameInOrder) {
    server.drehbuch().stelleStreamEin(StreamAblauf()
                                          .sendeDelta(u"Hallo"_s)
                                          .warteAufChunks(2)
                                          .sendeDelta(u" Welt"_s)
                                          .warteAufEnde()
                                          .sendeFinal(u"Hallo Welt"_s)
                                          .sendeFehler()
                                          .schliesse(QWebSocketProtocol::CloseCodeNormal));
    verbinde();
    ASSERT_TRUE(empfange(1));
    client.sendBinaryMessage("a");
    QTest::qWait(50);
    EXPECT_EQ(nachrichten.size(), 1) << "the second delta waits for two chunks";
    client.sendBinaryMessage("b");
    ASSERT_TRUE(empfange(2));
    QTest::qWait(50);
    EXPECT_EQ(nachrichten.size(), 2) << "the final waits for END";
    client.sendTextMessage(u"END"_s);
    ASSERT_TRUE(getrennt.wait());

    QStringList texte;
    for (const auto& nachricht : nachrichten) {
        texte << nachricht.at(0).toString();
    }
    EXPECT_EQ(texte, (QStringList{uR"({"delta":"Hallo"})"_s, uR"({"delta":" Welt"})"_s,
                                  uR"({"final":"Hallo Welt"})"_s,
                                  uR"({"error":"Upstream nicht erreichbar"})"_s}));
    EXPECT_EQ(client.closeCode(), QWebSocketProtocol::CloseCodeNormal);

    const auto streams = server.drehbuch().streams();
    ASSERT_EQ(streams.size(), 1);
    EXPECT_EQ(streams[0].handshake.kopf("authorization"), "Bearer tok");
    ASSERT_EQ(streams[0].frames.size(), 3);
    EXPECT_EQ(streams[0].chunks(), (QList<QByteArray>{"a", "b"}));
    EXPECT_TRUE(streams[0].frames[2].text);
    EXPECT_EQ(streams[0].frames[2].daten, "END");
}

TEST_F(StreamAblaufTest, TheClientsCloseCodeIsRecorded) {
    verbinde();
    client.close(QWebSocketProtocol::CloseCodeGoingAway);
    ASSERT_TRUE(server.drehbuch().warteAufStreams(
        [](const auto& streams) { return streams.size() == 1 && streams[0].schlussCode; }));
    EXPECT_EQ(server.drehbuch().streams()[0].schlussCode, 1001);
}

TEST_F(StreamAblaufTest, PausesBinaryFramesAndADroppedConnection) {
    server.drehbuch().stelleStreamEin(StreamAblauf()
                                          .warte(std::chrono::milliseconds(150))
                                          .sendeBinaer("\x01\x02")
                                          .sendeText("kein json")
                                          .trenne());
    QSignalSpy binaer(&client, &QWebSocket::binaryMessageReceived);
    verbinde();
    QTest::qWait(50);
    EXPECT_EQ(binaer.size(), 0);
    ASSERT_TRUE(getrennt.wait());
    ASSERT_EQ(binaer.size(), 1);
    EXPECT_EQ(binaer.at(0).at(0).toByteArray(), "\x01\x02");
    ASSERT_EQ(nachrichten.size(), 1);
    EXPECT_EQ(nachrichten.at(0).at(0).toString(), u"kein json"_s);
}

TEST_F(StreamAblaufTest, AScriptedAnswerForTheStreamPathRefusesTheUpgrade) {
    server.drehbuch().reiheEin(ReferenzServer::streamPfad, Antwort::fehler(401, u"kein Token"_s));
    QSignalSpy fehler(&client, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error));
    client.open(QUrl(u"ws://127.0.0.1:%1/eu/stream"_s.arg(server.basis().port())));
    ASSERT_TRUE(getrennt.wait());
    EXPECT_GE(fehler.size(), 1);
    EXPECT_NE(client.errorString(), QString());
    EXPECT_TRUE(server.drehbuch().streams().isEmpty());
    ASSERT_EQ(server.drehbuch().anfragen(ReferenzServer::streamPfad).size(), 1);
    EXPECT_TRUE(server.drehbuch().anfragen()[0].webSocket);

    // The refusal was queued for one upgrade only.
    verbinde();
    EXPECT_EQ(server.drehbuch().streams().size(), 1);
}

} // namespace
