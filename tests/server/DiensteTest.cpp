#include "server/Dienste.hpp"

#include "core/account/AuthClient.hpp"
#include "core/account/AuthFehler.hpp"
#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"
#include "core/services/GroqTranskription.hpp"
#include "core/services/GroqVision.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/UrlPfad.hpp"
#include "tests/support/TestServer.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

using namespace parlix;

namespace {

class DiensteTest : public ::testing::Test {
protected:
    Dienste::Einrichtung einrichtung() {
        KontenRegeln regeln;
        regeln.passwortKosten = Passwort::minimal();
        return {Datenbank::ausAngabe(ordner.filePath(QStringLiteral("konten.sqlite"))),
                [this](const QString& email, const QString& code) {
                    std::lock_guard lock(sperre);
                    codes[email] = code;
                    neuerCode.notify_all();
                },
                {{QStringLiteral("groq"),
                  {upstream.url(QStringLiteral("/openai/v1")), QByteArrayLiteral("geheim")}}},
                QStringLiteral("1.4.2"),
                {},
                regeln};
    }

    // The fixture's setup with the user's providers on the scripted upstream.
    Dienste::Einrichtung mitAnbieter(const QJsonObject& anbieter) {
        Dienste::Einrichtung e = einrichtung();
        e.anbieter = Anbieter::ausJson(anbieter);
        return e;
    }
    QJsonObject rolle(const QString& wurzel, const QString& schluessel, const QString& modell) {
        return {{QStringLiteral("url"), upstream.url(wurzel).toString()},
                {QStringLiteral("schluessel"), schluessel},
                {QStringLiteral("modell"), modell}};
    }
    static GroqVerbindung verbindung(const ServerFaden& ziel, const QString& backend) {
        return GroqVerbindung({mitPfad(ziel.basis(), QStringLiteral("openai/v1")), QString(),
                               QStringLiteral("dev"), QStringLiteral("voxtral-mini-latest"),
                               QStringLiteral("openai/gpt-oss-120b"), backend});
    }
    static QJsonObject chatAntwort(const QString& inhalt) {
        return {{QStringLiteral("choices"),
                 QJsonArray{QJsonObject{{QStringLiteral("message"),
                                         QJsonObject{{QStringLiteral("content"), inhalt}}}}}}};
    }

    // The code is sent after the answer, so it may still be on its way.
    QString codeFuer(const QString& email, std::chrono::milliseconds warten) {
        std::unique_lock lock(sperre);
        neuerCode.wait_for(lock, warten, [&] { return codes.contains(email); });
        return codes.value(email);
    }

    template <class F> static QString ungueltig(F aufruf) {
        try {
            aufruf();
        } catch (const AuthFehler& fehler) {
            return fehler.text();
        }
        return QStringLiteral("(kein Fehler)");
    }

    QTemporaryDir ordner;
    test::TestServer upstream;
    std::mutex sperre;
    std::condition_variable neuerCode;
    QHash<QString, QString> codes;
    Dienste dienste{einrichtung()};
    ServerFaden server{dienste};
    AuthClient client{server.basis()};
};

TEST_F(DiensteTest, AccountLifecycleWithResetByCode) {
    const QString email = QStringLiteral("ana@example.org");
    EXPECT_EQ(ungueltig([&] { client.registriere(email, QStringLiteral("kurz")); }),
              QStringLiteral("Das Passwort braucht mindestens 8 und höchstens 1024 Zeichen."));
    client.registriere(email, QStringLiteral("richtig-lang"));
    EXPECT_EQ(ungueltig([&] {
                  client.registriere(QStringLiteral("ANA@example.org"),
                                     QStringLiteral("nochmal-lang"));
              }),
              QStringLiteral("Für diese E-Mail-Adresse gibt es schon ein Konto."));
    EXPECT_EQ(ungueltig([&] { client.login(email, QStringLiteral("falsch-lang"), {}); }),
              QStringLiteral("E-Mail oder Passwort ist falsch."));

    const QString token = client.login(email, QStringLiteral("richtig-lang"), {});
    EXPECT_EQ(client.profil(token).email, email);

    client.resetAnfordern(email);
    client.resetAnfordern(QStringLiteral("niemand@example.org")); // same answer, no code sent
    const QString code = codeFuer(email, std::chrono::seconds(5));
    EXPECT_EQ(code.size(), 6);
    EXPECT_TRUE(codeFuer(QStringLiteral("niemand@example.org"), {}).isEmpty());
    EXPECT_EQ(ungueltig([&] {
                  client.resetBestaetigen(email, QStringLiteral("x"),
                                          QStringLiteral("neu-und-lang"));
              }),
              QStringLiteral("Der Code ist ungültig oder abgelaufen."));
    client.resetBestaetigen(email, code, QStringLiteral("neu-und-lang"));
    EXPECT_EQ(ungueltig([&] { client.profil(token); }), QStringLiteral("Profil")); // signed out

    // The accounts survive a restart.
    Dienste neu(einrichtung());
    ServerFaden neuerServer(neu);
    EXPECT_FALSE(
        AuthClient(neuerServer.basis()).login(email, QStringLiteral("neu-und-lang"), {}).isEmpty());
}

TEST_F(DiensteTest, RelaysChatToTheUpstreamNamedByTheBackendHeader) {
    upstream.drehbuch().stelleEin(
        QStringLiteral("/openai/v1/chat/completions"),
        Antwort::text(200, R"({"choices":[{"message":{"content":" Hallo "}}]})",
                      "application/json"));
    const auto chat = [&](const QString& backend, const std::optional<QString>& geraet) {
        return GroqChat(
            GroqVerbindung({mitPfad(server.basis(), QStringLiteral("openai/v1")), QString(), geraet,
                            QString(), QStringLiteral("openai/gpt-oss-120b"), backend}));
    };

    EXPECT_EQ(
        chat(QStringLiteral("groq"), QStringLiteral("dev"))
            .fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt, 0.2, std::nullopt),
        QStringLiteral("Hallo"));
    const auto weiter = upstream.drehbuch().anfragen();
    ASSERT_EQ(weiter.size(), 1);
    EXPECT_EQ(weiter[0].kopf("Authorization"), "Bearer geheim");
    EXPECT_EQ(weiter[0].kopf("Content-Type"), "application/json");
    EXPECT_EQ(QJsonDocument::fromJson(
                  weiter[0].koerper)[QStringLiteral("messages")][1][QStringLiteral("content")]
                  .toString(),
              QStringLiteral("n"));

    try {
        chat(QStringLiteral("mistral"), QStringLiteral("dev"))
            .fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt, 0.2, std::nullopt);
        ADD_FAILURE() << "no error";
    } catch (const GroqFehler& fehler) {
        EXPECT_EQ(fehler.status(), 503);
        EXPECT_TRUE(fehler.text().contains(QStringLiteral("mistral")));
        // What the client shows as "no provider configured".
        EXPECT_TRUE(fehler.text().contains(QStringLiteral("\"grund\":\"keinAnbieter\"")));
    }
    HttpAnfrage ohne;
    ohne.methode = "POST";
    ohne.url = mitPfad(server.basis(), QStringLiteral("openai/v1/chat/completions"));
    EXPECT_EQ(HttpTransport::geteilt().fuehreAus(ohne).status, 401);
}

TEST_F(DiensteTest, ServesTheVersionAndSaysWhenThereIsNoArchive) {
    HttpAnfrage anfrage;
    anfrage.url = mitPfad(server.basis(), QStringLiteral("version"));
    EXPECT_EQ(QJsonDocument::fromJson(
                  HttpTransport::geteilt().fuehreAus(anfrage).koerper)[QStringLiteral("version")]
                  .toString(),
              QStringLiteral("1.4.2"));
    anfrage.url = mitPfad(server.basis(), QStringLiteral("download/parlix.zip"));
    EXPECT_EQ(HttpTransport::geteilt().fuehreAus(anfrage).status, 404);
}

TEST_F(DiensteTest, StreamWithoutProviderAnswersEndWithAnError) {
    QWebSocket stream;
    QSignalSpy antworten(&stream, &QWebSocket::textMessageReceived);
    QNetworkRequest anfrage(QUrl(QStringLiteral("ws://127.0.0.1:%1/eu/stream").arg(server.port())));
    anfrage.setRawHeader("X-Device-Id", "geraet");
    stream.open(anfrage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return stream.state() == QAbstractSocket::ConnectedState; }));
    stream.sendBinaryMessage(QByteArray(3200, '\0'));
    stream.sendTextMessage(QStringLiteral("END"));
    ASSERT_TRUE(antworten.wait());
    EXPECT_TRUE(QJsonDocument::fromJson(antworten.at(0).at(0).toString().toUtf8())
                    .object()
                    .contains(QStringLiteral("error")));
}

TEST_F(DiensteTest, TheUsersProvidersAnswerEachRoleWithTheirModelAndTheEnvironmentComesFirst) {
    QJsonObject sprache =
        rolle(QStringLiteral("/s/v1"), QStringLiteral("sk-s"), QStringLiteral("llm"));
    sprache.insert(QStringLiteral("visionModell"), QStringLiteral("seher"));
    Dienste eigene(
        mitAnbieter({{QStringLiteral("transkription"),
                      rolle(QStringLiteral("/t/v1"), QString(), QStringLiteral("whisper-lokal"))},
                     {QStringLiteral("sprache"), sprache}}));
    ServerFaden faden(eigene);
    auto& drehbuch = upstream.drehbuch();
    // A provider that answers JSON although the client asked for text.
    drehbuch.stelleEin(
        QStringLiteral("/t/v1/audio/transcriptions"),
        Antwort::json(200, {{QStringLiteral("text"), QStringLiteral("Hallo Welt\n")}}));
    drehbuch.stelleEin(QStringLiteral("/s/v1/chat/completions"),
                       Antwort::json(200, chatAntwort(QStringLiteral("eigen"))));
    drehbuch.stelleEin(QStringLiteral("/openai/v1/chat/completions"),
                       Antwort::json(200, chatAntwort(QStringLiteral("umgebung"))));
    const GroqVerbindung eu = verbindung(faden, QStringLiteral("mistral"));

    EXPECT_EQ(GroqTranskription(eu).transkribiere("RIFF", QStringLiteral("de"), QString()),
              QStringLiteral("Hallo Welt"));
    const Anfrage transkription =
        drehbuch.anfragen(QStringLiteral("/t/v1/audio/transcriptions"))[0];
    EXPECT_FALSE(transkription.hatKopf("Authorization")); // a local provider without a key
    EXPECT_TRUE(transkription.koerper.contains("name=\"model\"\r\n\r\nwhisper-lokal\r\n"));
    EXPECT_TRUE(transkription.koerper.contains("name=\"language\"\r\n\r\nde\r\n"));
    EXPECT_FALSE(transkription.koerper.contains("voxtral"));

    EXPECT_EQ(GroqChat(eu).fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt, 0.2,
                                     std::nullopt),
              QStringLiteral("eigen"));
    EXPECT_EQ(GroqVision(eu).frage(QStringLiteral("s"), QStringLiteral("was?"), "PNG"),
              QStringLiteral("eigen"));
    const QList<Anfrage> chats = drehbuch.anfragen(QStringLiteral("/s/v1/chat/completions"));
    ASSERT_EQ(chats.size(), 2);
    EXPECT_EQ(chats[0].kopf("Authorization"), "Bearer sk-s");
    EXPECT_EQ(QJsonDocument::fromJson(chats[0].koerper)[QStringLiteral("model")].toString(),
              QStringLiteral("llm"));
    const QJsonDocument vision = QJsonDocument::fromJson(chats[1].koerper);
    EXPECT_EQ(vision[QStringLiteral("model")].toString(), QStringLiteral("seher"));
    EXPECT_EQ(vision[QStringLiteral("messages")][1][QStringLiteral("content")][1]
                    [QStringLiteral("image_url")][QStringLiteral("url")]
                        .toString(),
              QStringLiteral("data:image/png;base64,UE5H"));

    // A provider from the environment answers what names it, unchanged.
    EXPECT_EQ(
        GroqChat(verbindung(faden, QStringLiteral("groq")))
            .fuehreAus(QStringLiteral("s"), QStringLiteral("n"), std::nullopt, 0.2, std::nullopt),
        QStringLiteral("umgebung"));
    const Anfrage umgebung = drehbuch.anfragen(QStringLiteral("/openai/v1/chat/completions"))[0];
    EXPECT_EQ(umgebung.kopf("Authorization"), "Bearer geheim");
    EXPECT_EQ(QJsonDocument::fromJson(umgebung.koerper)[QStringLiteral("model")].toString(),
              QStringLiteral("openai/gpt-oss-120b"));
}

TEST_F(DiensteTest, ProviderFailuresReachTheClientWithTheirReason) {
    QTcpServer frei;
    frei.listen(QHostAddress::LocalHost);
    const quint16 geschlossen = frei.serverPort();
    frei.close();
    Dienste::Einrichtung e = mitAnbieter(
        {{QStringLiteral("sprache"),
          rolle(QStringLiteral("/s/v1"), QStringLiteral("sk"), QStringLiteral("llm"))}});
    e.upstreams = {
        {QStringLiteral("groq"),
         {QUrl(QStringLiteral("http://127.0.0.1:%1/v1").arg(geschlossen)), "k"}},
        {QStringLiteral("mistral"),
         {QUrl(QStringLiteral("https://127.0.0.1:%1/v1").arg(upstream.basis().port())), "k"}}};
    e.relais.fristMs = 500;
    Dienste eigene(std::move(e));
    ServerFaden faden(eigene);
    const auto chat = [&](const QByteArray& backend) {
        HttpAnfrage anfrage;
        anfrage.methode = "POST";
        anfrage.url = mitPfad(faden.basis(), QStringLiteral("openai/v1/chat/completions"));
        anfrage.kopfzeilen = {
            {"X-Device-Id", "dev"}, {"X-Backend", backend}, {"Content-Type", "application/json"}};
        anfrage.koerper = R"({"model":"m","messages":[]})";
        const HttpAntwort antwort = HttpTransport::geteilt().fuehreAus(anfrage);
        const QJsonObject json = QJsonDocument::fromJson(antwort.koerper).object();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(antwort.status)
            .arg(json[QStringLiteral("grund")].toString())
            .arg(json[QStringLiteral("anbieterStatus")].toInt())
            .arg(json[QStringLiteral("anbieterText")].toString().left(30));
    };
    const QString pfad = QStringLiteral("/s/v1/chat/completions");
    auto& drehbuch = upstream.drehbuch();
    drehbuch.reiheEin(pfad, Antwort::text(401, R"({"error":"Invalid API Key"})"));
    drehbuch.reiheEin(pfad, Antwort::text(404, "The model `llm` does not exist"));
    drehbuch.reiheEin(pfad, Antwort::text(400, "unknown model: llm"));
    drehbuch.reiheEin(pfad, Antwort::text(429, "slow down"));
    drehbuch.reiheEin(pfad, Antwort::text(503, "overloaded"));
    drehbuch.reiheEin(pfad, Antwort::text(200, "<html>Gateway</html>"));
    drehbuch.reiheEin(pfad, Antwort::json(200, chatAntwort(QStringLiteral("spät")))
                                .nach(std::chrono::milliseconds(3000)));
    // Not named by the environment: the user's provider.
    EXPECT_EQ(chat("eigen"),
              QStringLiteral("401 anbieterSchluessel 401 {\"error\":\"Invalid API Key\"}"));
    EXPECT_EQ(chat("eigen"),
              QStringLiteral("404 anbieterModell 404 The model `llm` does not exist"));
    EXPECT_EQ(chat("eigen"), QStringLiteral("400 anbieterModell 400 unknown model: llm"));
    EXPECT_EQ(chat("eigen"), QStringLiteral("429 anbieterAntwort 429 slow down"));
    EXPECT_EQ(chat("eigen"), QStringLiteral("502 anbieterAntwort 503 overloaded"));
    EXPECT_EQ(chat("eigen"), QStringLiteral("502 anbieterAntwort 200 <html>Gateway</html>"));
    EXPECT_TRUE(chat("eigen").startsWith(QStringLiteral("502 anbieterZeit 0 ")));
    EXPECT_TRUE(chat("groq").startsWith(QStringLiteral("502 anbieterNichtErreichbar 0 ")));
    EXPECT_TRUE(chat("mistral").startsWith(QStringLiteral("502 anbieterTLS 0 ")));
}

TEST_F(DiensteTest, TheStreamGivesLiveWordsAndTheFinalTranscriptThroughABatchProvider) {
    Dienste eigene(mitAnbieter(
        {{QStringLiteral("transkription"),
          rolle(QStringLiteral("/t/v1"), QStringLiteral("k"), QStringLiteral("whisper-lokal"))}}));
    ServerFaden faden(eigene);
    const QString pfad = QStringLiteral("/t/v1/audio/transcriptions");
    auto& drehbuch = upstream.drehbuch();
    drehbuch.reiheEin(pfad, Antwort::text(200, "Hallo Welt"));
    drehbuch.reiheEin(pfad, Antwort::text(200, "Hallo Welt wie geht"));
    drehbuch.stelleEin(pfad, Antwort::text(200, "Hallo Welt wie geht es dir"));
    // 85 ms chunks: silence, and a tone loud enough to count as speech.
    const QByteArray stille(2720, '\0');
    QByteArray ton;
    for (int i = 0; i < 1360; ++i) {
        const auto wert = static_cast<qint16>(8000 * ((i / 20) % 2 == 0 ? 1 : -1));
        ton.append(reinterpret_cast<const char*>(&wert), 2);
    }
    const auto oeffne = [&](QWebSocket& stream) {
        QNetworkRequest anfrage(
            QUrl(QStringLiteral("ws://127.0.0.1:%1/eu/stream").arg(faden.port())));
        anfrage.setRawHeader("X-Device-Id", "geraet");
        stream.open(anfrage);
        return QTest::qWaitFor([&] { return stream.state() == QAbstractSocket::ConnectedState; });
    };

    QWebSocket stream;
    QSignalSpy nachrichten(&stream, &QWebSocket::textMessageReceived);
    ASSERT_TRUE(oeffne(stream));
    for (int i = 0; i < 12; ++i) {
        stream.sendBinaryMessage(stille);
    }
    QTest::qWait(300);
    EXPECT_TRUE(drehbuch.anfragen(pfad).isEmpty()) << "a pause brings no call";
    // 4.8 s of speech at four times the speed of speaking.
    for (int i = 0; i < 57; ++i) {
        stream.sendBinaryMessage(ton);
        QTest::qWait(20);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return nachrichten.size() >= 2; }));
    stream.sendTextMessage(QStringLiteral("END"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return stream.state() == QAbstractSocket::UnconnectedState; }));
    QString live;
    for (qsizetype i = 0; i + 1 < nachrichten.size(); ++i) {
        live += QJsonDocument::fromJson(
                    nachrichten.at(i).at(0).toString().toUtf8())[QStringLiteral("delta")]
                    .toString();
    }
    EXPECT_EQ(QJsonDocument::fromJson(
                  nachrichten.at(0).at(0).toString().toUtf8())[QStringLiteral("delta")]
                  .toString(),
              QStringLiteral("Hallo"));
    EXPECT_TRUE(QStringLiteral("Hallo Welt wie geht es dir").startsWith(live))
        << live.toStdString();
    EXPECT_EQ(nachrichten.last().at(0).toString(),
              QStringLiteral(R"({"final":"Hallo Welt wie geht es dir"})"));
    const QList<Anfrage> aufrufe = drehbuch.anfragen(pfad);
    EXPECT_GE(aufrufe.size(), 2);
    EXPECT_LE(aufrufe.size(), 5) << "one call per 1.2 s of speech and the final one";
    for (qsizetype i = 0; i < aufrufe.size(); ++i) {
        EXPECT_TRUE(aufrufe[i].koerper.contains("whisper-lokal\r\n"));
        EXPECT_TRUE(aufrufe[i].koerper.contains("RIFF"));
        EXPECT_TRUE(i == 0 || aufrufe[i].koerper.size() > aufrufe[i - 1].koerper.size());
    }

    // A slow provider: the audio that comes meanwhile waits for the call in flight.
    drehbuch.stelleEin(pfad, Antwort::text(200, "Spät").nach(std::chrono::milliseconds(400)));
    QWebSocket eilig;
    QSignalSpy antwort(&eilig, &QWebSocket::textMessageReceived);
    ASSERT_TRUE(oeffne(eilig));
    for (int i = 0; i < 57; ++i) {
        eilig.sendBinaryMessage(ton);
    }
    eilig.sendTextMessage(QStringLiteral("END"));
    ASSERT_TRUE(antwort.wait(5000));
    EXPECT_EQ(antwort.at(0).at(0).toString(), QStringLiteral(R"({"final":"Spät"})"));
    EXPECT_EQ(drehbuch.anfragen(pfad).size(), aufrufe.size() + 2);
}

} // namespace
