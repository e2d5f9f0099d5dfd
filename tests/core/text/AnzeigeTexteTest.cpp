#include "core/text/Aktionen.hpp"
#include "core/text/Browser.hpp"
#include "core/text/HUDStil.hpp"
#include "core/text/Lokalisierung.hpp"
#include "core/text/Zeichen.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(Zeichen, CountsAndCutsWhatTheUserSeesAsOneCharacter) {
    // e + combining acute, a thumbs-up with a skin tone, a flag.
    const QString text = u"Cafe\u0301 \U0001F44D\U0001F3FD \U0001F1E9\U0001F1EA"_s;
    EXPECT_EQ(anzahlZeichen(text), 8);
    EXPECT_EQ(ersteZeichen(text, 4), u"Cafe\u0301"_s);
    EXPECT_EQ(ersteZeichen(text, 6), u"Cafe\u0301 \U0001F44D\U0001F3FD"_s);
    EXPECT_EQ(ersteZeichen(text, 40), text);
    EXPECT_EQ(anzahlZeichen({}), 0);
}

TEST(Aktionen, AReplyRequestIsRecognisedByItsBeginningInAnyCase) {
    for (const QString& ja : {u"antworte ihm"_s, u"Antwortet, dass ich komme"_s, u"ANTWORTEN"_s,
                              u"Antwort ja"_s, u"reply: sure"_s}) {
        EXPECT_TRUE(Aktionen::istAntwortAnfrage(ja)) << ja.toStdString();
    }
    for (const QString& nein :
         {u"antwortlos bleiben"_s, u"Antwort"_s, u" antworte"_s, u"bitte antworte"_s, u""_s}) {
        EXPECT_FALSE(Aktionen::istAntwortAnfrage(nein)) << nein.toStdString();
    }
}

TEST(Browser, MacAndLinuxIdsOfSupportedBrowsersMatchExactly) {
    for (const QString& id :
         {u"com.apple.Safari"_s, u"com.microsoft.edgemac"_s, u"firefox"_s, u"Navigator"_s,
          u"org.chromium.Chromium"_s, u"Brave-browser"_s, u"Opera"_s}) {
        EXPECT_TRUE(Browser::unterstuetzt(id)) << id.toStdString();
    }
    for (const std::optional<QString>& id :
         {std::optional<QString>(), std::optional(u"com.apple.safari"_s),
          std::optional(u"org.gnome.Epiphany"_s), std::optional(QString())}) {
        EXPECT_FALSE(Browser::unterstuetzt(id));
    }
}

TEST(HUDStil, RawValuesTitlesAndTheFallback) {
    for (const HUDStil& stil : HUDStil::alle()) {
        EXPECT_EQ(stil.titelKey, u"hud.stil."_s + stil.rohwert.toString());
        EXPECT_NE(Lokalisierung::text(stil.titelKey.toString(), u"de"_s), stil.titelKey);
    }
    EXPECT_EQ(HUDStil::alle().size(), 10);
    EXPECT_EQ(HUDStil::ausEinstellung(u"komet").fall, HUDStil::Fall::komet);
    EXPECT_EQ(HUDStil::ausEinstellung(u"Komet").fall, HUDStil::Fall::energie);
    EXPECT_EQ(HUDStil::ausEinstellung(u"").fall, HUDStil::Fall::energie);
}

} // namespace
