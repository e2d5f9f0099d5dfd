// The built-in manual: the same sections in every interface language, and the search.
#include "app/ui/fenster/modelle/Handbuch.hpp"

#include "app/ui/fenster/HandbuchFenster.hpp"
#include "core/text/Sprache.hpp"
#include "tests/app/ui/fenster/FensterTestBasis.hpp"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(Handbuch, EveryInterfaceLanguageHasTheSameSectionsWithText) {
    const Handbuch englisch = Handbuch::lade(u"en"_s);
    ASSERT_GE(englisch.abschnitte().size(), 8);
    for (const Sprache& sprache : Sprache::alle()) {
        const Handbuch handbuch = Handbuch::lade(sprache.code.toString());
        EXPECT_FALSE(handbuch.titel().isEmpty()) << sprache.code.toString().toStdString();
        ASSERT_EQ(handbuch.abschnitte().size(), englisch.abschnitte().size())
            << sprache.code.toString().toStdString();
        for (const Handbuch::Abschnitt& abschnitt : handbuch.abschnitte()) {
            EXPECT_FALSE(abschnitt.titel.isEmpty());
            EXPECT_GT(abschnitt.text.size(), abschnitt.titel.size() + 80)
                << abschnitt.titel.toStdString();
        }
        // Every manual explains the Wayland limit and what leaves the computer.
        EXPECT_EQ(handbuch.suche(u"Wayland"_s).size(), 1);
        EXPECT_EQ(handbuch.suche(u"Mistral Groq"_s).size(), 1);
    }
    EXPECT_EQ(Handbuch::lade(u"pt"_s).titel(), englisch.titel());
}

TEST(Handbuch, SectionsAreCutAtTheirHeadingsAndSearchedForEveryWord) {
    const Handbuch handbuch = Handbuch::ausText(
        u"# Titel\nVorwort\n## Eins\nRot und Blau\n## Zwei\nrot allein\n### Unter\nmehr\n"_s);
    EXPECT_EQ(handbuch.titel(), u"Titel"_s);
    ASSERT_EQ(handbuch.abschnitte().size(), 2);
    EXPECT_EQ(handbuch.abschnitte()[1].text, u"## Zwei\nrot allein\n### Unter\nmehr\n\n"_s);
    EXPECT_EQ(handbuch.suche(u"ROT"_s), (QList<qsizetype>{0, 1}));
    EXPECT_EQ(handbuch.suche(u" rot  blau "_s), QList<qsizetype>{0});
    EXPECT_EQ(handbuch.suche(QString()), (QList<qsizetype>{0, 1}));
    EXPECT_TRUE(handbuch.suche(u"grün"_s).isEmpty());
}

class HandbuchFensterTest : public FensterTestBasis {};

TEST_F(HandbuchFensterTest, TheSearchNarrowsTheSectionsAndMarksTheWords) {
    controller().zeigeHandbuch();
    HandbuchFenster* fenster = controller().handbuchFenster();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster));
    const int alle = fenster->abschnitte()->count();
    EXPECT_EQ(alle, Handbuch::lade(u"de"_s).abschnitte().size());

    QTest::keyClicks(fenster->suche(), u"wayland"_s);
    ASSERT_EQ(fenster->abschnitte()->count(), 1);
    EXPECT_TRUE(fenster->inhalt()->toPlainText().contains(u"Wayland"_s));
    EXPECT_FALSE(fenster->inhalt()->extraSelections().isEmpty());

    QTest::keyClicks(fenster->suche(), u"xyz"_s);
    EXPECT_EQ(fenster->abschnitte()->count(), 0);
    EXPECT_EQ(fenster->inhalt()->toPlainText(), text(u"handbuch.keineTreffer"_s));

    fenster->suche()->clear();
    EXPECT_EQ(fenster->abschnitte()->count(), alle);
}

} // namespace
} // namespace parlix::test
