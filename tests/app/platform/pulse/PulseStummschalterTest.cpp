#include "app/platform/pulse/PulseStummschalter.hpp"

#include "app/platform/FadenStummschalter.hpp"
#include "app/platform/KindProzess.hpp"
#include "tests/app/platform/pulse/TonServerTest.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KleinesDateisystem.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/ServerEreignisse.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

// 80 % on the left, 56 % on the right: an unbalanced stereo volume.
const std::vector<quint32> kVorher{52429, 36700};
// The loudest channel at 30 %, the balance kept.
const std::vector<quint32> kAbgesenkt{19661, 13763};

class PulseStummschalterTest : public TonServerTest {
protected:
    void SetUp() override {
        TonServerTest::SetUp();
        ASSERT_TRUE(ordner_.isValid());
        setzeLautstaerke(senke(), kVorher);
    }

    QString zustandsDatei() const { return ordner_.filePath(u"parlix/ausgabe-vorher.json"_s); }
    bool zustandGespeichert() const { return QFile::exists(zustandsDatei()); }

    QTemporaryDir ordner_;
};

TEST_F(PulseStummschalterTest, SenktAufDreissigProzentUndStelltJedenKanalGenauWiederHer) {
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    EXPECT_EQ(lautstaerke(senke()), kAbgesenkt);
    EXPECT_TRUE(zustandGespeichert());

    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    EXPECT_FALSE(stumm(senke()));
    EXPECT_FALSE(zustandGespeichert());
}

TEST_F(PulseStummschalterTest, StufeNullSetztDieLautstaerkeAufNullOhneStummschaltung) {
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(0);
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{0, 0}));
    EXPECT_FALSE(stumm(senke()));

    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
}

TEST_F(PulseStummschalterTest, HundertProzentFragtDenServerGarNicht) {
    PulseStummschalter stummschalter(zustandsDatei());
    ServerEreignisse ereignisse;
    stummschalter.absenken(100);
    stummschalter.absenken(250);
    stummschalter.wiederherstellen();

    // Only a new connection is evidence of a call; the departure of an earlier helper
    // client (the fixture's pactl) may still be reported after the watch began.
    EXPECT_FALSE(ereignisse.warteAuf(u"'new' on client"_s, std::chrono::milliseconds(300)))
        << ereignisse.zeilen().join(u'\n').toStdString();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    EXPECT_FALSE(zustandGespeichert());
}

TEST_F(PulseStummschalterTest, NurEineAenderungZurZeit) {
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    stummschalter.absenken(10);
    EXPECT_EQ(lautstaerke(senke()), kAbgesenkt);

    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    // A second restore has nothing left to put back.
    setzeLautstaerke(senke(), {20000, 20000});
    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{20000, 20000}));
}

TEST_F(PulseStummschalterTest, EineAenderungDesBenutzersWaehrendDerAufnahmeBleibt) {
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    setzeLautstaerke(senke(), {45000, 45000});

    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{45000, 45000}));
    EXPECT_FALSE(zustandGespeichert());
}

TEST_F(PulseStummschalterTest, StelltDieGeaenderteSenkeWiederHerAuchWennDerStandardWechselt) {
    ASSERT_TRUE(server().ladeNullSenke(u"kopfhoerer"_s, u"Kopfhörer"_s));
    setzeLautstaerke(u"kopfhoerer"_s, {40000, 40000});
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    ASSERT_TRUE(server().pactl({u"set-default-sink"_s, u"kopfhoerer"_s}));

    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    EXPECT_EQ(lautstaerke(u"kopfhoerer"_s), (std::vector<quint32>{40000, 40000}));
}

TEST_F(PulseStummschalterTest, EineLeisereAusgabeWirdNichtLauter) {
    setzeLautstaerke(senke(), {13107, 6554});
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{13107, 6554}));
    EXPECT_FALSE(zustandGespeichert());
    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{13107, 6554}));
}

// On its own thread the calls keep their order, and the end (the application quitting)
// waits for those still queued instead of dropping them.
TEST_F(PulseStummschalterTest, AufEigenemFadenInDerFolgeDerAufrufeUndBisZumLetzten) {
    {
        FadenStummschalter stummschalter(std::make_unique<PulseStummschalter>(zustandsDatei()));
        stummschalter.absenken(30);
        stummschalter.wiederherstellen();
        stummschalter.absenken(50);
    }
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{32768, 22937}));
    {
        FadenStummschalter stummschalter(std::make_unique<PulseStummschalter>(zustandsDatei()));
        stummschalter.absenken(30);
        stummschalter.wiederherstellen();
    }
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    EXPECT_FALSE(zustandGespeichert());
}

// Runs as a separate process, started by the test below with the state file in its
// environment: lowers the output and waits to be killed, as a crash during a recording.
TEST(PulseStummschalterKind, DISABLED_SenktAbUndWartetAufSeinEnde) {
    const QByteArray datei = qgetenv("PARLIX_TEST_AUSGABE_ZUSTAND");
    if (datei.isEmpty()) {
        GTEST_SKIP() << "only as the child of a crash test";
    }
    PulseStummschalter stummschalter(QFile::decodeName(datei));
    stummschalter.absenken(30);
    std::printf("abgesenkt\n");
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}

// Starts this test program as a child that lowers the output, and kills it then.
bool senkeInEinemKindAbUndToeteEs(const QString& zustandsDatei) {
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(u"PARLIX_TEST_AUSGABE_ZUSTAND"_s, zustandsDatei);
    KindProzess kind(
        QCoreApplication::applicationFilePath(),
        {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=PulseStummschalterKind.*"_s},
        KindProzess::Optionen{{}, umgebung.toStringList()});
    QByteArray ausgabe;
    while (!ausgabe.contains("abgesenkt")) {
        const QByteArray neu = kind.lies(std::chrono::seconds(20));
        if (neu.isEmpty()) {
            return false;
        }
        ausgabe += neu;
    }
    kind.sende(SIGKILL);
    kind.warteAufEnde(std::chrono::seconds(5));
    // The child's private log; it had no chance to remove it.
    QFile::remove(QDir::tempPath() + u"/parlix-test-"_s + QString::number(kind.pid()) + u".log"_s);
    return true;
}

TEST_F(PulseStummschalterTest, DerNaechsteStartRepariertWasEinGetoeteterProzessAbgesenktHat) {
    ASSERT_TRUE(senkeInEinemKindAbUndToeteEs(zustandsDatei()));
    ASSERT_EQ(lautstaerke(senke()), kAbgesenkt);
    ASSERT_TRUE(zustandGespeichert());

    LogMitschnitt log;
    PulseStummschalter naechsterStart(zustandsDatei());
    naechsterStart.repariereNachAbsturz();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
    EXPECT_FALSE(zustandGespeichert());
    EXPECT_EQ(log.zeilen(), QStringList{u"Ausgabe "_s + senke() +
                                        u" nach abgebrochener Aufnahme wiederhergestellt"_s});
}

TEST_F(PulseStummschalterTest, AbsenkenRepariertErstEinenLiegengebliebenenZustand) {
    // An earlier run lowered 80 % to 30 % and died; the user has not touched it since.
    PulseStummschalter frueherer(zustandsDatei());
    frueherer.absenken(30);
    ASSERT_TRUE(zustandGespeichert());

    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(50);
    EXPECT_EQ(lautstaerke(senke()), (std::vector<quint32>{32768, 22937}));
    stummschalter.wiederherstellen();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
}

TEST_F(PulseStummschalterTest, EinBeschaedigterZustandWirdGemeldetUndVerworfen) {
    QDir().mkpath(QFileInfo(zustandsDatei()).absolutePath());
    QFile datei(zustandsDatei());
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("{\"senke\": \"parlix_test_senke\", \"art\": \"laut");
    datei.close();

    LogMitschnitt log;
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.repariereNachAbsturz();
    EXPECT_EQ(log.zeilen(),
              QStringList{u"FEHLER: Gespeicherte Ausgabelautstärke unlesbar, verworfen: "_s +
                          zustandsDatei()});
    EXPECT_FALSE(zustandGespeichert());
    EXPECT_EQ(lautstaerke(senke()), kVorher);
}

TEST_F(PulseStummschalterTest, OhneServerBleibtAllesStillUndDerZustandFuerSpaeter) {
    PulseStummschalter stummschalter(zustandsDatei());
    stummschalter.absenken(30);
    {
        GesetzteUmgebung umgebung;
        umgebung.setze("PULSE_SERVER", QFile::encodeName(u"unix:"_s + QDir::tempPath() +
                                                         u"/parlix-kein-server/native"_s));
        stummschalter.wiederherstellen();
        EXPECT_TRUE(zustandGespeichert());

        PulseStummschalter ohneServer(ordner_.filePath(u"anderer.json"_s));
        ohneServer.absenken(30);
        EXPECT_FALSE(QFile::exists(ordner_.filePath(u"anderer.json"_s)));
    }
    PulseStummschalter naechsterStart(zustandsDatei());
    naechsterStart.repariereNachAbsturz();
    EXPECT_EQ(lautstaerke(senke()), kVorher);
}

// The sound server of the test, started outside the namespace of a full disk; the child
// there reaches it through the environment it inherits.
class PulseStummschalterVollePlatteTest : public TonServerTest {
protected:
    void SetUp() override {
        if (!KleinesDateisystem::imNamensraum()) {
            TonServerTest::SetUp();
        }
    }
};

// A full disk must not leave a truncated state file behind, which the next start would
// discard as unreadable: the save fails as a whole, is logged, and the sound still
// comes back from memory.
TEST_F(PulseStummschalterVollePlatteTest, EinScheiterndesSpeichernHinterlaesstKeineHalbeDatei) {
    if (!KleinesDateisystem::imNamensraum()) {
        setzeLautstaerke(senke(), kVorher);
        KleinesDateisystem::laufeImNamensraum();
        EXPECT_EQ(lautstaerke(senke()), kVorher);
        return;
    }
    KleinesDateisystem platte(64 * 1024);
    const QString datei = platte.ordner() + u"/parlix/ausgabe-vorher.json"_s;
    ASSERT_TRUE(QDir().mkpath(platte.ordner() + u"/parlix"_s));
    platte.fuelle();
    LogMitschnitt log;
    PulseStummschalter stummschalter(datei);
    stummschalter.absenken(30);
    EXPECT_FALSE(QFile::exists(datei));
    ASSERT_EQ(log.zeilen().size(), 1);
    EXPECT_TRUE(
        log.zeilen()[0].startsWith(u"FEHLER: Ausgabelautstärke nicht gespeichert: "_s + datei))
        << log.zeilen()[0].toStdString();
    stummschalter.wiederherstellen();
}

} // namespace
} // namespace parlix::test
