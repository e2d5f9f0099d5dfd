#include "server/Dienste.hpp"

#include "core/account/AuthClient.hpp"
#include "core/account/AuthFehler.hpp"
#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/UrlPfad.hpp"
#include "tests/support/TestServer.hpp"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
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
                },
                {{QStringLiteral("groq"),
                  {upstream.url(QStringLiteral("/openai/v1")), QByteArrayLiteral("geheim")}}},
                QStringLiteral("1.4.2"),
                {},
                regeln};
    }

    QString codeFuer(const QString& email) {
        std::lock_guard lock(sperre);
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
    const QString code = codeFuer(email);
    EXPECT_EQ(code.size(), 6);
    EXPECT_TRUE(codeFuer(QStringLiteral("niemand@example.org")).isEmpty());
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

} // namespace
