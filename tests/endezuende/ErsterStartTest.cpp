// The first start of a new user opens the setup; once the user went through it, the next
// start opens nothing.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

const QString kFenster = u"Parlix"_s;

// A German text of the interface, as the tables hold it.
QString deutsch(const QString& schluessel) {
    QFile tabelle(QStringLiteral(PARLIX_QUELLVERZEICHNIS) + u"/resources/i18n/de.json"_s);
    tabelle.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(tabelle.readAll()).object()[schluessel].toString();
}

// Text recognition often reads "ä" as "a": letters are compared without their marks.
QString ohneZeichen(const QString& text) {
    QString basis;
    for (const QChar zeichen : text.normalized(QString::NormalizationForm_D)) {
        if (zeichen.category() != QChar::Mark_NonSpacing) {
            basis += zeichen;
        }
    }
    return basis;
}

using ErsterStartTest = EndeZuEndeTest;

TEST_F(ErsterStartTest, DasSetupOeffnetSichBeimErstenStartUndDanachNichtMehr) {
    // A new user on a German desktop: no settings at all.
    parlix().starte({u"LANG=de_DE.UTF-8"_s, u"LANGUAGE=de"_s});
    ASSERT_TRUE(parlix().warteAufLog(u"App gestartet"_s)) << parlix().fehlerAusgabe().toStdString();
    ASSERT_TRUE(warteBis([&] { return b().bildschirm().zeigt(kFenster); }, 30s))
        << "no setup window";
    schritt(u"setup"_s);
    const std::optional<Bildschirm::Fenster> setup = b().bildschirm().fenster(kFenster);
    ASSERT_TRUE(setup && setup->sichtbar);
    const QString ueberschrift = ohneZeichen(deutsch(u"setup.sprache.titel"_s));
    QString gelesen;
    EXPECT_TRUE(warteBis(
        [&] {
            gelesen = b().bildschirm().text(setup->rahmen);
            return ohneZeichen(gelesen).contains(ueberschrift);
        },
        20s))
        << "the setup shows: " << gelesen.toStdString();

    // The user goes through the steps with the button at the bottom right ("Weiter", and
    // "Loslegen" at the end) until the window closes.
    const QPoint weiter(setup->rahmen.right() - 40 - 60, setup->rahmen.bottom() - 28 - 14);
    EXPECT_TRUE(warteBis(
        [&] {
            b().nutzer().klicke(weiter);
            return warteBis([&] { return !b().bildschirm().zeigt(kFenster); }, 1500ms);
        },
        60s))
        << "the setup does not finish";
    schritt(u"fertig"_s);
    EXPECT_EQ(parlix().beende(), std::optional<int>(0));
    EXPECT_TRUE(parlix().einstellungen()->flag(u"setupErledigt"_s));

    parlix().starte({u"LANG=de_DE.UTF-8"_s, u"LANGUAGE=de"_s});
    ASSERT_TRUE(parlix().warteAufLog(u"App gestartet"_s, 2));
    // Time for the account to start, after which a first start opens the setup.
    EXPECT_FALSE(warteBis([&] { return b().bildschirm().zeigt(kFenster); }, 5s))
        << "the setup opened again";
    schritt(u"zweiter-start"_s);
}

} // namespace
} // namespace parlix::test
