#include "app/account/Konto.hpp"

#include "core/account/AuthFehler.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/services/Geraet.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace parlix;
using namespace std::chrono_literals;

namespace {

const QString loginPfad = QStringLiteral("/auth/login");
const QString mePfad = QStringLiteral("/auth/me");

class KontoTest : public ::testing::Test {
protected:
    std::unique_ptr<Konto> konto() {
        return std::make_unique<Konto>(queue, AuthClient(server.basis()), tokenDatei);
    }

    // Signs in and waits for the outcome; the error, if any.
    std::exception_ptr meldeAn(Konto& k, const QString& email) {
        bool fertig = false;
        std::exception_ptr ergebnis;
        k.login(email, QStringLiteral("pw"), [&](std::exception_ptr fehler) {
            fertig = true;
            ergebnis = fehler;
        });
        EXPECT_TRUE(queue.warteBis([&] { return fertig; }));
        return ergebnis;
    }

    void scripteLogin(const char* token) {
        server.drehbuch().stelleEin(
            loginPfad, Antwort::json(200, {{QStringLiteral("token"), QString::fromUtf8(token)}}));
    }

    test::TestServer server;
    test::VirtuelleMainQueue queue;
    QTemporaryDir ordner;
    QString tokenDatei = ordner.filePath(QStringLiteral("com.orvand.parlix/token"));
};

TEST_F(KontoTest, LoginStoresThePrivateTokenAndShowsTheProfileAddress) {
    scripteLogin("tok-1");
    server.drehbuch().stelleEin(
        mePfad, Antwort::json(200, {{QStringLiteral("email"), QStringLiteral("Ana@Server.de")}}));
    auto k = konto();
    EXPECT_FALSE(k->eingeloggt());
    QStringList ereignisse;
    QObject::connect(k.get(), &Konto::emailGeaendert, [&](const QString& e) { ereignisse << e; });
    QObject::connect(k.get(), &Konto::eingeloggtGeaendert,
                     [&](bool an) { ereignisse << QStringLiteral("eingeloggt=%1").arg(an); });

    EXPECT_EQ(meldeAn(*k, QStringLiteral("ana@server.de")), nullptr);

    EXPECT_EQ(ereignisse,
              (QStringList{QStringLiteral("Ana@Server.de"), QStringLiteral("eingeloggt=1")}));
    EXPECT_EQ(TokenSpeicher::lese(tokenDatei), QStringLiteral("tok-1"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(tokenDatei).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    const auto login = server.drehbuch().anfragen(loginPfad);
    ASSERT_EQ(login.size(), 1);
    EXPECT_EQ(login[0].kopf("X-Device-Id"), Geraet::id().toUtf8());
    EXPECT_EQ(server.drehbuch().anfragen(mePfad).at(0).kopf("Authorization"), "Bearer tok-1");
}

TEST_F(KontoTest, FailingProfileStillSignsInWithTheTypedAddress) {
    scripteLogin("tok");
    server.drehbuch().stelleEin(mePfad, Antwort::text(500, "nein"));
    auto k = konto();
    EXPECT_EQ(meldeAn(*k, QStringLiteral("getippt@x.de")), nullptr);
    EXPECT_TRUE(k->eingeloggt());
    EXPECT_EQ(k->email(), QStringLiteral("getippt@x.de"));
}

TEST_F(KontoTest, RefusedLoginReportsTheDetailAndChangesNothing) {
    server.drehbuch().stelleEin(loginPfad,
                                Antwort::fehler(401, QStringLiteral("Falsches Passwort.")));
    auto k = konto();
    const std::exception_ptr fehler = meldeAn(*k, QStringLiteral("a@b.de"));
    ASSERT_NE(fehler, nullptr);
    try {
        std::rethrow_exception(fehler);
    } catch (const AuthFehler& auth) {
        EXPECT_EQ(auth.text(), QStringLiteral("Falsches Passwort."));
    }
    EXPECT_FALSE(k->eingeloggt());
    EXPECT_EQ(TokenSpeicher::lese(tokenDatei), std::nullopt);
}

TEST_F(KontoTest, StoredTokenMeansSignedInAndStaysSoWhenTheRefreshFails) {
    TokenSpeicher::setze(QStringLiteral("alt"), tokenDatei);
    server.drehbuch().reiheEin(mePfad, Antwort::getrennt());
    server.drehbuch().reiheEin(
        mePfad, Antwort::json(200, {{QStringLiteral("email"), QStringLiteral("x@y.de")}}));
    auto k = konto();
    EXPECT_TRUE(k->eingeloggt());

    k->starte();
    ASSERT_TRUE(server.drehbuch().warteAufAnfragen(1));
    queue.warteBis([] { return false; }, 100ms);
    EXPECT_TRUE(k->eingeloggt());
    EXPECT_EQ(k->email(), QString());

    k->starte();
    EXPECT_TRUE(queue.warteBis([&] { return !k->email().isEmpty(); }));
    EXPECT_EQ(k->email(), QStringLiteral("x@y.de"));
}

TEST_F(KontoTest, LogoutWorksWithOrWithoutATokenFile) {
    auto k = konto();
    k->logout();
    EXPECT_FALSE(k->eingeloggt());

    TokenSpeicher::setze(QStringLiteral("t"), tokenDatei);
    auto angemeldet = konto();
    QSignalSpy aus(angemeldet.get(), &Konto::eingeloggtGeaendert);
    angemeldet->logout();
    EXPECT_FALSE(angemeldet->eingeloggt());
    EXPECT_EQ(aus.size(), 1);
    EXPECT_FALSE(QFile::exists(tokenDatei));
}

TEST_F(KontoTest, DestroyingTheAccountCancelsACallInFlight) {
    server.drehbuch().stelleEin(loginPfad, Antwort::nie());
    auto k = konto();
    bool gemeldet = false;
    k->login(QStringLiteral("a"), QStringLiteral("b"),
             [&](std::exception_ptr) { gemeldet = true; });
    ASSERT_TRUE(server.drehbuch().warteAufAnfragen(1));

    const auto start = std::chrono::steady_clock::now();
    k.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    queue.laufe(); // the cancelled call's report must not reach a dead account
    EXPECT_FALSE(QFile::exists(tokenDatei));
    EXPECT_TRUE(gemeldet); // the caller still learns that the call ended
}

} // namespace
