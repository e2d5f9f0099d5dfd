// The sign-in window against the reference server's real accounts on loopback.
#include "app/ui/Texte.hpp"
#include "app/ui/fenster/LoginFenster.hpp"
#include "app/ui/fenster/bausteine/AnmeldeFormular.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/text/Lokalisierung.hpp"
#include "server/Dienste.hpp"
#include "tests/app/ui/fenster/FensterTestBasis.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <mutex>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

constexpr auto frist = 10000;

class AnmeldenTest : public FensterTestBasis, public ::testing::WithParamInterface<QString> {
protected:
    AnmeldenTest()
        : dienste_({.datenbank = Datenbank::ausAngabe(ordner.filePath(u"konten.sqlite"_s)),
                    .codeVersand =
                        [this](const QString&, const QString& code) {
                            const std::lock_guard gesperrt(sperre_);
                            code_ = code;
                        },
                    .upstreams = {},
                    .version = {},
                    .archiv = {}})
        , server_(dienste_) {
        backend = server_.basis();
        speicher.setzeText(u"uiSprache"_s, GetParam());
        Texte::vergissSprache();
        AuthClient(backend).registriere(u"ana@example.com"_s, u"richtig-1234"_s);
    }

    AnmeldeFormular* formular() {
        controller().zeigeLogin();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(controller().loginFenster()));
        return controller().loginFenster()->formular();
    }

    // Fills in the form and submits it; waits until the form answers.
    void sende(AnmeldeFormular* f, const QString& email, const QString& passwort) {
        f->email()->setText(email);
        f->passwort()->setText(passwort);
        f->meldung()->setVisible(false);
        QTest::mouseClick(f->absenden(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return f->meldung()->isVisible() || konto->eingeloggt(); }, frist));
    }

    static QString tabelle(const QString& key) {
        return Lokalisierung::tabelle(GetParam())->value(key);
    }

    QString gesendeterCode() {
        const std::lock_guard gesperrt(sperre_);
        return code_;
    }

private:
    std::mutex sperre_;
    QString code_;
    Dienste dienste_;
    ServerFaden server_;
};

TEST_P(AnmeldenTest, ErrorsAreShownInTheInterfaceLanguage) {
    AnmeldeFormular* f = formular();
    EXPECT_EQ(f->absenden()->text(), tabelle(u"konto.anmelden"_s));

    sende(f, u"ana@example.com"_s, u"falsch-1234"_s);
    EXPECT_EQ(f->meldung()->text(), tabelle(u"login.falsch"_s));
    EXPECT_FALSE(konto->eingeloggt());

    sende(f, u"ana@example.com"_s, QString());
    EXPECT_EQ(f->meldung()->text(), tabelle(u"login.angaben"_s));

    QTest::mouseClick(f->wechsel(), Qt::LeftButton);
    EXPECT_EQ(f->absenden()->text(), tabelle(u"login.kontoErstellen"_s));
    sende(f, u"ana@example.com"_s, u"richtig-1234"_s);
    EXPECT_EQ(f->meldung()->text(), tabelle(u"login.vergeben"_s));
}

TEST_P(AnmeldenTest, AServerThatCannotBeReachedIsSaidInTheInterfaceLanguage) {
    QTcpServer belegt;
    ASSERT_TRUE(belegt.listen(QHostAddress::LocalHost));
    backend = QUrl(u"http://127.0.0.1:%1"_s.arg(belegt.serverPort()));
    belegt.close();

    AnmeldeFormular* f = formular();
    sende(f, u"ana@example.com"_s, u"richtig-1234"_s);
    EXPECT_EQ(f->meldung()->text(), tabelle(u"login.fehler"_s));
}

TEST_P(AnmeldenTest, ASignInWhoseTokenCannotBeStoredIsAnErrorAndSignsNobodyIn) {
    // A folder where the token file belongs: the token cannot be written there.
    const QString tokenDatei = ordner.filePath(u"token"_s);
    ASSERT_TRUE(QDir().mkdir(tokenDatei));
    AnmeldeFormular* f = formular();
    sende(f, u"ana@example.com"_s, u"richtig-1234"_s);
    EXPECT_EQ(f->meldung()->text(), tabelle(u"login.nichtGespeichert"_s).arg(tokenDatei));
    EXPECT_FALSE(konto->eingeloggt());
    EXPECT_TRUE(controller().loginFenster()->isVisible());
}

TEST_P(AnmeldenTest, RegisteringSignsInStoresTheTokenAndClosesTheWindow) {
    AnmeldeFormular* f = formular();
    QTest::mouseClick(f->wechsel(), Qt::LeftButton);
    sende(f, u"Ben@Example.com"_s, u"neu-passwort-9"_s);

    EXPECT_TRUE(konto->eingeloggt());
    EXPECT_EQ(konto->email(), u"ben@example.com"_s);
    EXPECT_TRUE(TokenSpeicher::lese(ordner.filePath(u"token"_s)).has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller().loginFenster()->isVisible(); }, frist));
}

TEST_P(AnmeldenTest, APasswordIsResetWithTheMailedCode) {
    AnmeldeFormular* f = formular();
    QTest::mouseClick(f->vergessen(), Qt::LeftButton);
    EXPECT_FALSE(f->passwort()->isVisible());
    f->email()->setText(u"ana@example.com"_s);
    QTest::mouseClick(f->absenden(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->code()->isVisible(); }, frist));
    EXPECT_EQ(f->meldung()->text(), tabelle(u"reset.codeGesendet"_s));
    EXPECT_EQ(f->absenden()->text(), tabelle(u"reset.setzen"_s));

    f->code()->setText(gesendeterCode());
    sende(f, u"ana@example.com"_s, u"ganz-neu-5678"_s);
    EXPECT_EQ(f->meldung()->text(), tabelle(u"reset.erfolg"_s));
    EXPECT_EQ(f->modus(), AnmeldeFormular::Modus::anmelden);

    sende(f, u"ana@example.com"_s, u"ganz-neu-5678"_s);
    EXPECT_TRUE(konto->eingeloggt());
}

INSTANTIATE_TEST_SUITE_P(DeutschUndEnglisch, AnmeldenTest, ::testing::Values(u"de"_s, u"en"_s),
                         [](const auto& info) { return info.param.toStdString(); });

} // namespace
} // namespace parlix::test
