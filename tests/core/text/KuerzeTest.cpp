#include "core/text/StatusPanelTexte.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using StatusPanelTexte::kuerze;

namespace {

const QString ellipse = QStringLiteral("…");

QString wiederhole(const QString& teil, int mal) {
    return teil.repeated(mal);
}

TEST(KuerzeTest, ShortTextsAreOnlyTrimmed) {
    EXPECT_EQ(kuerze(QStringLiteral("  abc  "), 30), QStringLiteral("abc"));
    EXPECT_EQ(kuerze(QStringLiteral("\n\t abc \r\n\u2028"), 30), QStringLiteral("abc"));
    EXPECT_EQ(kuerze(QStringLiteral(" \n "), 30), QString());
    EXPECT_EQ(kuerze(QString(), 30), QString());
    // Exactly max characters after trimming stay whole, without "…".
    const QString dreissig = wiederhole(QStringLiteral("x"), 30);
    EXPECT_EQ(kuerze(QStringLiteral("  ") + dreissig + QStringLiteral("\n"), 30), dreissig);
}

TEST(KuerzeTest, LongTextsKeepMaxCharactersWithoutTrailingBlanks) {
    const QString einunddreissig = wiederhole(QStringLiteral("a"), 31);
    EXPECT_EQ(kuerze(einunddreissig, 30), wiederhole(QStringLiteral("a"), 30) + ellipse);
    // The cut lands after a run of blanks: they go before the "…".
    EXPECT_EQ(kuerze(QStringLiteral("abc \t\u00a0   defgh"), 8), QStringLiteral("abc…"));
    // Line breaks are not blanks: they stay.
    EXPECT_EQ(kuerze(QStringLiteral("abc\n  defgh"), 6), QStringLiteral("abc\n…"));
    EXPECT_EQ(kuerze(QStringLiteral("abc"), 0), ellipse);
    EXPECT_EQ(kuerze(QStringLiteral("abc"), -5), ellipse);
    EXPECT_EQ(kuerze(QStringLiteral("  "), -5), QString());
}

TEST(KuerzeTest, CountsWhatTheUserSeesAsOneCharacter) {
    const QString daumen = QStringLiteral("\U0001F44D\U0001F3FD");        // thumbs up, skin tone
    const QString e = QStringLiteral("e\u0301");                          // e + combining acute
    const QString flagge = QStringLiteral("\U0001F1E9\U0001F1EA");        // DE flag
    const QString familie = QStringLiteral("\U0001F469\u200D\U0001F467"); // woman ZWJ girl
    for (const QString& zeichen : {daumen, e, flagge, familie}) {
        SCOPED_TRACE(zeichen.toStdString());
        EXPECT_EQ(kuerze(wiederhole(zeichen, 3), 3), wiederhole(zeichen, 3));
        EXPECT_EQ(kuerze(wiederhole(zeichen, 4), 3), wiederhole(zeichen, 3) + ellipse);
        EXPECT_EQ(kuerze(QStringLiteral("ab") + zeichen + QStringLiteral("cd"), 3),
                  QStringLiteral("ab") + zeichen + ellipse);
    }
    // Several combining marks stay with their letter.
    EXPECT_EQ(kuerze(QStringLiteral("a\u0308\u0304bc"), 1), QStringLiteral("a\u0308\u0304…"));
}

} // namespace
