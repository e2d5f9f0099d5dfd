#include "core/text/Aktionen.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(Aktionen, KeywordsCountAnywhereInAnyLetterCase) {
    struct Fall {
        QString text;
        bool screenshot, seite, direkt;
    };
    const Fall faelle[] = {
        {u"Mach einen SCREENSHOT"_s, true, false, false},
        {u"was steht im Bildschirmfoto"_s, true, false, false},
        {u"lies das Fenster vor"_s, true, false, false},
        {u"Fasse die Seite zusammen"_s, false, true, false},
        {u"summarize this WEBSITE"_s, false, true, false},
        {u"worum geht es im Artikel"_s, false, true, false},
        {u"explain the page"_s, false, true, false},
        {u"Übersetze das ins Englische"_s, false, false, true},
        {u"bitte UMFORMULIEREN"_s, false, false, true},
        {u"korrigiere das bitte"_s, false, false, true},
        {u"etwas formeller"_s, false, false, true},
        {u"HÖFLICHER bitte"_s, false, false, true},
        {u"mach es kürzer"_s, false, false, true},
        {u"ersetze den Namen"_s, false, false, true},
        {u"fasse das zusammen"_s, false, false, false},
        {u""_s, false, false, false},
        // One request may say several things.
        {u"Übersetze die Seite im Fenster"_s, true, true, true},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Aktionen::willScreenshot(f.text), f.screenshot) << f.text.toStdString();
        EXPECT_EQ(Aktionen::willSeite(f.text), f.seite) << f.text.toStdString();
        EXPECT_EQ(Aktionen::direktHeuristik(f.text), f.direkt) << f.text.toStdString();
    }
}

TEST(Aktionen, TheReplyIntentIsWhatFollowsTheReplyWord) {
    const std::pair<QString, QString> faelle[] = {
        {u"Antworte: dass ich morgen komme."_s, u"dass ich morgen komme"_s},
        {u"Antworten"_s, u""_s},
        {u"reply – sounds good"_s, u"sounds good"_s},
        {u"REPLY, Sounds Good"_s, u"Sounds Good"_s},
        {u"antworten, dass es passt"_s, u"dass es passt"_s},
        {u"\t Antwort: ja; "_s, u"ja"_s},
        {u"  bitte antworte ihm  "_s, u"bitte antworte ihm"_s},
        {u"  Sag ihm Bescheid. "_s, u"Sag ihm Bescheid"_s},
        {u"Antwortet ihm, dass ich komme"_s, u"ihm, dass ich komme"_s},
        {u"Replying: later"_s, u"later"_s},
    };
    for (const auto& [text, intent] : faelle) {
        EXPECT_EQ(Aktionen::antwortIntent(text), intent) << text.toStdString();
    }
}

} // namespace
