#include "app/ui/Texte.hpp"

#include "core/settings/SpeicherDefaultsStore.hpp"
#include "core/text/Lokalisierung.hpp"
#include "core/text/Sprache.hpp"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

class TexteTest : public ::testing::Test {
protected:
    void SetUp() override { Texte::vergissSprache(); }
    void TearDown() override { Texte::vergissSprache(); }

    static QString tabellenText(const QString& key, const QString& code) {
        return Lokalisierung::tabelle(code)->value(key);
    }

    SpeicherDefaultsStore speicher;
};

TEST_F(TexteTest, WithoutASettingTheSystemLanguageApplies) {
    EXPECT_EQ(Texte(speicher).sprache(), Sprache::system().code.toString());
    EXPECT_FALSE(speicher.enthaelt(u"uiSprache"_s)); // reading a default writes nothing
}

TEST_F(TexteTest, TheLanguageIsReadOnceAndKeptForTheProcess) {
    speicher.setzeText(u"uiSprache"_s, u"fr"_s);
    Texte texte(speicher);
    EXPECT_EQ(texte.text(u"status.bereit"_s), tabellenText(u"status.bereit"_s, u"fr"_s));

    // The settings window stores a new language; the running process keeps its own,
    // also for Texte made later and over another store.
    speicher.setzeText(u"uiSprache"_s, u"ja"_s);
    SpeicherDefaultsStore anderer;
    EXPECT_EQ(texte.sprache(), u"fr"_s);
    EXPECT_EQ(Texte(anderer).sprache(), u"fr"_s);
    EXPECT_EQ(Texte(speicher).text(u"status.bereit"_s), tabellenText(u"status.bereit"_s, u"fr"_s));
}

TEST_F(TexteTest, ChoosingALanguageStoresItAndSwitchesAtOnce) {
    speicher.setzeText(u"uiSprache"_s, u"de"_s);
    Texte texte(speicher);
    ASSERT_EQ(texte.sprache(), u"de"_s);

    texte.waehleSprache(u"en"_s);
    EXPECT_EQ(speicher.text(u"uiSprache"_s), u"en"_s);
    EXPECT_EQ(texte.sprache(), u"en"_s);
    EXPECT_EQ(texte.text(u"setup.weiter"_s), tabellenText(u"setup.weiter"_s, u"en"_s));
}

TEST_F(TexteTest, AStoredLanguageWithoutTableFallsBackToEnglish) {
    speicher.setzeText(u"uiSprache"_s, u"pt"_s);
    EXPECT_EQ(Texte(speicher).text(u"fehler.nichts"_s), tabellenText(u"fehler.nichts"_s, u"en"_s));
    EXPECT_EQ(Texte(speicher).text(u"kein.key"_s), u"kein.key"_s);
}

TEST_F(TexteTest, ReadersOnOtherThreadsSeeOneOfTheChosenLanguages) {
    speicher.setzeText(u"uiSprache"_s, u"de"_s);
    const QString deutsch = tabellenText(u"status.denke"_s, u"de"_s);
    const QString japanisch = tabellenText(u"status.denke"_s, u"ja"_s);
    std::atomic<int> fremde{0};
    std::vector<std::thread> leser;
    for (int i = 0; i < 4; ++i) {
        leser.emplace_back([&] {
            for (int runde = 0; runde < 300; ++runde) {
                const QString text = Texte(speicher).text(u"status.denke"_s);
                if (text != deutsch && text != japanisch) {
                    ++fremde;
                }
            }
        });
    }
    Texte(speicher).waehleSprache(u"ja"_s);
    for (auto& faden : leser) {
        faden.join();
    }
    EXPECT_EQ(fremde.load(), 0);
    EXPECT_EQ(Texte(speicher).sprache(), u"ja"_s);
}

} // namespace
