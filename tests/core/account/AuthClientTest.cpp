#include "core/account/AuthClient.hpp"

#include "core/account/AuthFehler.hpp"
#include "core/services/TransportFehler.hpp"
#include "tests/support/TestServer.hpp"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

QJsonObject json(const QByteArray& text) {
    return QJsonDocument::fromJson(text).object();
}

class AuthClientTest : public ::testing::Test {
protected:
    AuthClient client() const { return AuthClient(server.basis()); }

    // The text of the AuthFehler::ungueltig that `aufruf` ends in.
    template <class F> static QString ungueltigText(F aufruf) {
        try {
            aufruf();
        } catch (const AuthFehler& fehler) {
            EXPECT_EQ(fehler.fall(), AuthFehler::Fall::ungueltig);
            return fehler.text();
        }
        ADD_FAILURE() << "no AuthFehler";
        return {};
    }

    test::TestServer server;
};

TEST_F(AuthClientTest, EachOperationPostsItsPathAndStringMembers) {
    for (const char* pfad : {"/auth/register", "/auth/reset-request", "/auth/reset-confirm"}) {
        server.drehbuch().stelleEin(QString::fromUtf8(pfad), Antwort::text(200, "kein json"));
    }
    server.drehbuch().stelleEin(
        QStringLiteral("/auth/login"),
        Antwort::json(200, {{QStringLiteral("token"), QStringLiteral("t/1")}}));

    client().registriere(QStringLiteral("a@b.de"), QStringLiteral("pw \"1\""));
    EXPECT_EQ(client().login(QStringLiteral("a@b.de"), QStringLiteral("pw"), QStringLiteral("dev")),
              QStringLiteral("t/1"));
    client().login(QStringLiteral("a@b.de"), QStringLiteral("pw"), QString());
    client().resetAnfordern(QStringLiteral("a@b.de"));
    client().resetBestaetigen(QStringLiteral("a@b.de"), QStringLiteral("123456"),
                              QStringLiteral("neu"));

    const auto anfragen = server.drehbuch().anfragen();
    ASSERT_EQ(anfragen.size(), 5);
    for (const Anfrage& anfrage : anfragen) {
        EXPECT_EQ(anfrage.methode, "POST");
        EXPECT_EQ(anfrage.kopf("Content-Type"), "application/json");
    }
    EXPECT_EQ(anfragen[0].pfad, QStringLiteral("/auth/register"));
    EXPECT_EQ(json(anfragen[0].koerper),
              (QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.de")},
                           {QStringLiteral("passwort"), QStringLiteral("pw \"1\"")}}));
    EXPECT_FALSE(anfragen[0].hatKopf("X-Device-Id"));
    EXPECT_EQ(anfragen[1].kopf("X-Device-Id"), "dev");
    EXPECT_FALSE(anfragen[2].hatKopf("X-Device-Id"));
    EXPECT_EQ(json(anfragen[3].koerper),
              (QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.de")}}));
    EXPECT_EQ(anfragen[4].pfad, QStringLiteral("/auth/reset-confirm"));
    EXPECT_EQ(json(anfragen[4].koerper),
              (QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.de")},
                           {QStringLiteral("code"), QStringLiteral("123456")},
                           {QStringLiteral("passwort"), QStringLiteral("neu")}}));
}

TEST_F(AuthClientTest, RefusalsCarryTheDetailOrTheStatus) {
    const QString satz = QStringLiteral("E-Mail oder Passwort ist falsch.");
    server.drehbuch().reiheEin(QStringLiteral("/auth/login"), Antwort::fehler(401, satz));
    server.drehbuch().reiheEin(QStringLiteral("/auth/login"),
                               Antwort::text(500, "<html>kaputt</html>", "text/html"));
    server.drehbuch().reiheEin(QStringLiteral("/auth/login"),
                               Antwort::json(422, {{QStringLiteral("detail"), 3}}));
    server.drehbuch().reiheEin(
        QStringLiteral("/auth/login"),
        Antwort::json(403, {{QStringLiteral("detail"), QStringLiteral(" ")}}));
    server.drehbuch().reiheEin(QStringLiteral("/auth/login"), Antwort::json(200, {}));
    server.drehbuch().reiheEin(QStringLiteral("/auth/login"),
                               Antwort::json(200, {{QStringLiteral("token"), 5}}));
    const auto login = [&] { client().login(QStringLiteral("a"), QStringLiteral("b"), {}); };

    EXPECT_EQ(ungueltigText(login), satz);
    EXPECT_EQ(ungueltigText(login), QStringLiteral("Fehler 500"));
    EXPECT_EQ(ungueltigText(login), QStringLiteral("Fehler 422"));
    EXPECT_EQ(ungueltigText(login), QStringLiteral("Fehler 403")); // a blank detail says nothing
    EXPECT_EQ(ungueltigText(login), QStringLiteral("kein Token"));
    EXPECT_EQ(ungueltigText(login), QStringLiteral("kein Token"));
}

TEST_F(AuthClientTest, ProfileNeedsExactly200AndAStringEmail) {
    const QString me = QStringLiteral("/auth/me");
    server.drehbuch().reiheEin(
        me, Antwort::json(200, {{QStringLiteral("email"), QStringLiteral("x@y.de")}}));
    server.drehbuch().reiheEin(
        me, Antwort::json(201, {{QStringLiteral("email"), QStringLiteral("x@y.de")}}));
    server.drehbuch().reiheEin(me, Antwort::json(200, {{QStringLiteral("email"), true}}));
    server.drehbuch().reiheEin(me, Antwort::text(200, "x@y.de"));
    server.drehbuch().reiheEin(me, Antwort::roheBytes("kein http\r\n\r\n"));

    EXPECT_EQ(client().profil(QStringLiteral("tok")).email, QStringLiteral("x@y.de"));
    const auto profil = [&] { client().profil(QStringLiteral("tok")); };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ungueltigText(profil), QStringLiteral("Profil"));
    }
    const auto anfragen = server.drehbuch().anfragen(me);
    EXPECT_EQ(anfragen[0].methode, "GET");
    EXPECT_EQ(anfragen[0].kopf("Authorization"), "Bearer tok");
}

TEST_F(AuthClientTest, NonHttpAnswerIsNetzwerkAndTransportErrorsPassThrough) {
    server.drehbuch().reiheEin(QStringLiteral("/auth/register"),
                               Antwort::roheBytes("SSH-2.0\r\n\r\n"));
    server.drehbuch().reiheEin(QStringLiteral("/auth/register"), Antwort::getrennt());
    try {
        client().registriere(QStringLiteral("a"), QStringLiteral("b"));
        ADD_FAILURE() << "no error";
    } catch (const AuthFehler& fehler) {
        EXPECT_EQ(fehler.fall(), AuthFehler::Fall::netzwerk);
    }
    EXPECT_THROW(client().registriere(QStringLiteral("a"), QStringLiteral("b")), TransportFehler);
}

TEST(AuthClientBasisTest, BackendRootIsHttpsWithoutPath) {
    EXPECT_EQ(AuthClient::proxyBasis().scheme(), QStringLiteral("https"));
    EXPECT_TRUE(AuthClient::proxyBasis().path().isEmpty());
}

} // namespace
