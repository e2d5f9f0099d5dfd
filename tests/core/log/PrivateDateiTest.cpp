#include "core/util/PrivateDatei.hpp"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace parlix;

namespace {

QByteArray lies(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

class PrivateDateiTest : public ::testing::Test {
protected:
    QString pfad(const char* name) const { return verzeichnis.filePath(QString::fromUtf8(name)); }

    QTemporaryDir verzeichnis;
};

TEST_F(PrivateDateiTest, ReplacingCreatesAPrivateFileAndOverwritesOurOwn) {
    const QString datei = pfad("kopie.wav");
    ASSERT_TRUE(PrivateDatei::ersetze(datei, "lang und alt"));
    ASSERT_TRUE(PrivateDatei::ersetze(datei, "neu"));
    EXPECT_EQ(lies(datei), "neu");
    EXPECT_EQ(QFileInfo(datei).permissions() &
                  ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());
}

TEST_F(PrivateDateiTest, ReplacingLeavesLinksFifosAndOthersFilesUntouched) {
    const QString ziel = pfad("ziel");
    {
        QFile datei(ziel);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("ziel");
    }
    const QString link = pfad("link");
    ASSERT_TRUE(QFile::link(ziel, link));
    EXPECT_FALSE(PrivateDatei::ersetze(link, "über den Link"));
    EXPECT_EQ(lies(ziel), "ziel");

    const QByteArray fifo = pfad("fifo").toLocal8Bit();
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(PrivateDatei::ersetze(QString::fromLocal8Bit(fifo), "in die Röhre"));

    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand a file to another user";
    }
    // Checked before it is emptied: a writable file of someone else keeps its content.
    ASSERT_EQ(::chmod(ziel.toLocal8Bit().constData(), 0666), 0);
    ASSERT_EQ(::chown(ziel.toLocal8Bit().constData(), 65534, 65534), 0);
    EXPECT_FALSE(PrivateDatei::ersetze(ziel, "fremd"));
    EXPECT_EQ(lies(ziel), "ziel");
}

} // namespace
