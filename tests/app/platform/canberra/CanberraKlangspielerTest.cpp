#include "app/platform/canberra/CanberraKlangspieler.hpp"

#include "app/platform/canberra/KlangDateien.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KopfloserTonServer.hpp"
#include "tests/support/ServerEreignisse.hpp"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

constexpr auto kNeueWiedergabe = "'new' on sink-input";

class CanberraKlangspielerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.laeuft()) << server_.fehler().toStdString();
        ASSERT_TRUE(cache_.isValid());
        umgebung_.setze("XDG_CACHE_HOME", QFile::encodeName(cache_.path()));
    }

    KopfloserTonServer server_;
    QTemporaryDir cache_;
    GesetzteUmgebung umgebung_;
};

// Plays each name and reports the names for which no playback appeared on the server.
QStringList stumme(CanberraKlangspieler& spieler, const QStringList& namen) {
    QStringList ohneWiedergabe;
    for (const QString& name : namen) {
        ServerEreignisse ereignisse;
        spieler.spiele(name);
        if (!ereignisse.warteAuf(QLatin1StringView(kNeueWiedergabe), std::chrono::seconds(10))) {
            ohneWiedergabe << name;
        }
    }
    return ohneWiedergabe;
}

TEST_F(CanberraKlangspielerTest, MitgelieferteKlaengeUndKlaengeDesThemasSpielenAufDerAusgabe) {
    const QStringList namen = KlangDateien::namen();
    EXPECT_TRUE(namen.contains(u"bloom"_s));
    EXPECT_GE(namen.size(), 3);

    CanberraKlangspieler spieler;
    EXPECT_EQ(stumme(spieler, namen), QStringList());
    // Not bundled: the theme's sound of that name, and "Tink" stands for a short tick.
    EXPECT_EQ(stumme(spieler, {u"Tink"_s, u"bell"_s}), QStringList());
}

TEST_F(CanberraKlangspielerTest, UnbekannteOderUnzulaessigeNamenSpielenNichts) {
    CanberraKlangspieler spieler;
    ServerEreignisse ereignisse;
    for (const QString& name :
         {u"gibt-es-nicht"_s, u"../../stereo/bell"_s, u".hidden"_s, QString()}) {
        spieler.spiele(name);
    }
    EXPECT_FALSE(
        ereignisse.warteAuf(QLatin1StringView(kNeueWiedergabe), std::chrono::milliseconds(800)))
        << ereignisse.zeilen().join(u'\n').toStdString();
    // The player is still there for the next cue.
    spieler.spiele(u"bloom"_s);
    EXPECT_TRUE(ereignisse.warteAuf(QLatin1StringView(kNeueWiedergabe), std::chrono::seconds(10)));
}

TEST_F(CanberraKlangspielerTest, EinHaengenderServerHaeltDenAufruferNichtAuf) {
    CanberraKlangspieler spieler;
    server_.anhalten();
    QElapsedTimer uhr;
    uhr.start();
    for (int i = 0; i < 10; ++i) {
        spieler.spiele(u"bloom"_s);
    }
    EXPECT_LT(uhr.elapsed(), 500);
    server_.fortsetzen();
}

std::chrono::microseconds prozessCpu() {
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return std::chrono::seconds(nutzung.ru_utime.tv_sec + nutzung.ru_stime.tv_sec) +
           std::chrono::microseconds(nutzung.ru_utime.tv_usec + nutzung.ru_stime.tv_usec);
}

TEST_F(CanberraKlangspielerTest, ZwischenDenKlaengenRuhtAllesOhneRechenzeit) {
    CanberraKlangspieler spieler;
    ServerEreignisse ereignisse;
    spieler.spiele(u"tropfen"_s);
    ASSERT_TRUE(ereignisse.warteAuf(u"'remove' on sink-input"_s, std::chrono::seconds(10)));

    // Its threads (ours and the sound library's) sleep until the next cue: nothing polls.
    const auto vorher = prozessCpu();
    QThread::msleep(1000);
    EXPECT_LT(prozessCpu() - vorher, std::chrono::milliseconds(10));
}

TEST_F(CanberraKlangspielerTest, DieKopieImCacheFolgtDemMitgeliefertenKlang) {
    QFile original(u":/klaenge/bloom.wav"_s);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray inhalt = original.readAll();

    QFile kopie(cache_.filePath(u"parlix/klaenge/bloom.wav"_s));
    KlangDateien dateien;
    EXPECT_EQ(dateien.datei(u"bloom"_s), kopie.fileName());
    ASSERT_TRUE(kopie.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopie.readAll(), inhalt);
    kopie.close();

    // A copy left by an older version or damaged is replaced.
    ASSERT_TRUE(kopie.open(QIODevice::WriteOnly | QIODevice::Truncate));
    kopie.write("RIFF kaputt");
    kopie.close();
    KlangDateien spaeter;
    EXPECT_EQ(spaeter.datei(u"bloom"_s), kopie.fileName());
    ASSERT_TRUE(kopie.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopie.readAll(), inhalt);

    EXPECT_FALSE(spaeter.datei(u"gibt-es-nicht"_s));
    EXPECT_FALSE(spaeter.datei(u"../klaenge/bloom"_s));
}

} // namespace
} // namespace parlix::test
