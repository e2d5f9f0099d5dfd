#include "core/log/DateiLog.hpp"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace parlix;

namespace {

class DateiLogTest : public ::testing::Test {
protected:
    QString pfad(const char* name) const { return verzeichnis.filePath(QString::fromUtf8(name)); }

    static QByteArray lies(const QString& pfad) {
        QFile datei(pfad);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }

    QTemporaryDir verzeichnis;
};

const QRegularExpression
    zeilenMuster(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 (.*)$"));

TEST_F(DateiLogTest, WritesTimestampSpaceMessageAndLineFeedInCallOrder) {
    DateiLog log(pfad("a.log"));
    log.schreibe(QStringLiteral("⏹ STOP (Hotkey)"));
    log.schreibe(QString());
    log.schreibe(QStringLiteral("zwei\nZeilen"));

    const QStringList zeilen = QString::fromUtf8(lies(log.pfad())).split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), 5); // the message with a line feed spans two lines, then ""
    const auto erste = zeilenMuster.match(zeilen[0]);
    ASSERT_TRUE(erste.hasMatch()) << zeilen[0].toStdString();
    EXPECT_EQ(erste.captured(1), QStringLiteral("⏹ STOP (Hotkey)"));
    EXPECT_EQ(zeilenMuster.match(zeilen[1]).captured(1), QString()); // timestamp + one space
    EXPECT_TRUE(zeilen[1].endsWith(QStringLiteral("+0000 ")));
    EXPECT_EQ(zeilenMuster.match(zeilen[2]).captured(1), QStringLiteral("zwei"));
    EXPECT_EQ(zeilen[3], QStringLiteral("Zeilen"));
    EXPECT_EQ(zeilen[4], QString());
}

TEST_F(DateiLogTest, TimestampIsCurrentUtc) {
    const QString zeile = DateiLog::zeile(QStringLiteral("x"));
    const QDateTime zeit =
        QDateTime::fromString(zeile.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(zeit.isValid());
    QDateTime utc = zeit;
    utc.setTimeSpec(Qt::UTC);
    EXPECT_LE(std::abs(utc.secsTo(QDateTime::currentDateTimeUtc())), 2);
}

TEST_F(DateiLogTest, DeletedFileIsRecreatedPrivateWithOneLine) {
    DateiLog log(pfad("neu.log"));
    log.schreibe(QStringLiteral("eins"));
    ASSERT_TRUE(QFile::remove(log.pfad()));
    log.schreibe(QStringLiteral("zwei"));

    const QByteArray inhalt = lies(log.pfad());
    EXPECT_EQ(inhalt.count('\n'), 1);
    EXPECT_TRUE(inhalt.endsWith(" zwei\n"));
    struct stat info {};
    ASSERT_EQ(::stat(log.pfad().toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(DateiLogTest, ConcurrentWritersNeverInterleaveLines) {
    DateiLog log(pfad("viele.log"));
    std::vector<std::thread> schreiber;
    for (int t = 0; t < 8; ++t) {
        schreiber.emplace_back([&log, t] {
            for (int i = 0; i < 1000; ++i) {
                log.schreibe(QStringLiteral("Thread %1 Zeile %2 ").arg(t).arg(i) +
                             QString(40, QLatin1Char('x')));
            }
        });
    }
    for (auto& s : schreiber) {
        s.join();
    }

    const QStringList zeilen =
        QString::fromUtf8(lies(log.pfad())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 8000);
    const QRegularExpression ganz(QStringLiteral("^Thread \\d Zeile \\d+ x{40}$"));
    for (const QString& zeile : zeilen) {
        const QString nachricht = zeilenMuster.match(zeile).captured(1);
        ASSERT_TRUE(ganz.match(nachricht).hasMatch()) << zeile.toStdString();
    }
}

TEST_F(DateiLogTest, PlantedSymbolicLinkIsNotFollowed) {
    const QString ziel = pfad("opfer.txt");
    {
        QFile datei(ziel);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("unberührt");
    }
    const QString link = pfad("parlix.log");
    ASSERT_TRUE(QFile::link(ziel, link));

    DateiLog(link).schreibe(QStringLiteral("geheim"));

    EXPECT_EQ(lies(ziel), QByteArray("unberührt"));
}

TEST_F(DateiLogTest, AnExistingFileIsMadePrivateAndAPlantedHardLinkIsNotWritten) {
    const QString offen = pfad("offen.log");
    {
        QFile datei(offen);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("alt\n");
    }
    ASSERT_EQ(::chmod(offen.toLocal8Bit().constData(), 0644), 0);
    DateiLog(offen).schreibe(QStringLiteral("neu"));
    struct stat info {};
    ASSERT_EQ(::stat(offen.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(lies(offen).endsWith(" neu\n"));

    // A second name of one of our files, planted where the log is expected.
    const QString opfer = pfad("opfer.txt");
    {
        QFile datei(opfer);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("unberührt");
    }
    const QString link = pfad("parlix.log");
    ASSERT_EQ(::link(opfer.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    DateiLog(link).schreibe(QStringLiteral("geheim"));
    EXPECT_EQ(lies(opfer), QByteArray("unberührt"));
}

TEST_F(DateiLogTest, PlantedFifoNeitherBlocksNorReceivesLines) {
    const QByteArray fifo = pfad("fifo.log").toLocal8Bit();
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    DateiLog(QString::fromLocal8Bit(fifo)).schreibe(QStringLiteral("ohne Leser"));

    const int leser = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    DateiLog(QString::fromLocal8Bit(fifo)).schreibe(QStringLiteral("mit Leser"));
    char puffer[64];
    EXPECT_LE(::read(leser, puffer, sizeof puffer), 0);
    ::close(leser);
}

TEST_F(DateiLogTest, FileOwnedBySomeoneElseIsLeftAlone) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand the file to another user";
    }
    const QString fremd = pfad("fremd.log");
    {
        QFile datei(fremd);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("fremd\n");
    }
    ASSERT_EQ(::chmod(fremd.toLocal8Bit().constData(), 0666), 0);
    ASSERT_EQ(::chown(fremd.toLocal8Bit().constData(), 65534, 65534), 0);

    DateiLog(fremd).schreibe(QStringLiteral("nicht hier"));

    EXPECT_EQ(lies(fremd), QByteArray("fremd\n"));
}

} // namespace
