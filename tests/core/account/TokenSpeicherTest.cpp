#include "core/account/TokenSpeicher.hpp"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace parlix;

namespace {

class TokenSpeicherTest : public ::testing::Test {
protected:
    static void schreibe(const QString& pfad, const QByteArray& inhalt) {
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }

    static mode_t modus(const QString& pfad) {
        struct stat info {};
        EXPECT_EQ(::lstat(QFile::encodeName(pfad).constData(), &info), 0);
        return info.st_mode;
    }

    QTemporaryDir ordner;
    QString pfad = ordner.filePath(QStringLiteral("neu/com.orvand.parlix/token"));
};

TEST_F(TokenSpeicherTest, StoresPrivatelyAndReadsBackTrimmed) {
    TokenSpeicher::setze(QStringLiteral("abc.def"), pfad);
    EXPECT_EQ(modus(pfad) & 07777, 0600u);
    EXPECT_EQ(modus(ordner.filePath(QStringLiteral("neu/com.orvand.parlix"))) & 07777, 0700u);
    EXPECT_EQ(TokenSpeicher::lese(pfad), QStringLiteral("abc.def"));

    schreibe(pfad, "xyz\n");
    EXPECT_EQ(TokenSpeicher::lese(pfad), QStringLiteral("xyz"));
    schreibe(pfad, "  \n\t ");
    EXPECT_EQ(TokenSpeicher::lese(pfad), std::nullopt);

    TokenSpeicher::loesche(pfad);
    EXPECT_EQ(TokenSpeicher::lese(pfad), std::nullopt);
    TokenSpeicher::loesche(pfad); // no file: no harm
}

TEST_F(TokenSpeicherTest, ReplacesAReadableFileOrALinkWithoutTouchingTheTarget) {
    const QString alt = ordner.filePath(QStringLiteral("token"));
    schreibe(alt, "alt");
    ::chmod(QFile::encodeName(alt).constData(), 0644);
    TokenSpeicher::setze(QStringLiteral("neu"), alt);
    EXPECT_EQ(modus(alt) & 07777, 0600u);
    EXPECT_EQ(TokenSpeicher::lese(alt), QStringLiteral("neu"));

    const QString ziel = ordner.filePath(QStringLiteral("fremd"));
    const QString link = ordner.filePath(QStringLiteral("link"));
    schreibe(ziel, "geheim");
    ASSERT_TRUE(QFile::link(ziel, link));
    EXPECT_EQ(TokenSpeicher::lese(link), std::nullopt); // a link is not followed
    TokenSpeicher::setze(QStringLiteral("t"), link);
    EXPECT_TRUE(S_ISREG(modus(link)));
    EXPECT_EQ(TokenSpeicher::lese(link), QStringLiteral("t"));
    EXPECT_EQ(TokenSpeicher::lese(ziel), QStringLiteral("geheim"));
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

TEST(TokenSpeicherOrtTest, LivesUnderTheUsersDataFolder) {
    EXPECT_TRUE(TokenSpeicher::datei().endsWith(QStringLiteral("/com.orvand.parlix/token")));
}

} // namespace
