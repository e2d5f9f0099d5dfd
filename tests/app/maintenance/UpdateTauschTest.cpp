#include "app/platform/KindProzess.hpp"
#include "server/Dienste.hpp"
#include "tests/app/maintenance/UpdateTestBasis.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The whole way of an update: the release tool signs a program folder, the reference
// server offers it, the updater of version 1.9 takes it, and once "our" process (here a
// stand-in that the test ends) is gone the swap replaces an installation folder whose
// path holds a space, quotes, $ and a backtick, and starts the program again.
class UpdateTauschTest : public test::UpdateTestBasis {
protected:
    UpdateTauschTest()
        : UpdateTestBasis(u"Programme \"neu\" 'alt' $HOME `id`/parlix"_s) {}

    void SetUp() override {
        KindProzess release(QStringLiteral(PARLIX_RELEASE_PROGRAMM),
                            {u"--schluessel"_s,
                             QStringLiteral(PARLIX_QUELLVERZEICHNIS
                                            "/tests/app/maintenance/schluessel/test-privat.pem"),
                             quelle, archiv});
        ASSERT_EQ(release.warteAufEnde(30s), 0);
        test::ProgrammLabor::datei(nebenan + u"/meins.txt"_s, "meins");
    }

    Updater::Ergebnis pruefe() {
        return Updater(queue, einrichtung(server.basis(), wir.pid())).pruefeUndAktualisiere();
    }

    // Ends the stand-in for this process, and sees which version the swap started and
    // what the installation holds afterwards.
    void beendeUnsUndErwarte(const QString& version, const QByteArray& programm) {
        wir.sende(SIGTERM);
        wir.warteAufEnde(10s);
        ASSERT_TRUE(labor.warteAufMarken(1));
        EXPECT_EQ(labor.marken(), QStringList{version});
        EXPECT_EQ(installiertesProgramm(), programm);
        // Beside the installation stays what was there, and nothing else.
        EXPECT_EQ(QDir(installation + u"/.."_s)
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{u"parlix"_s, u"parlix.alt"_s}));
        EXPECT_EQ(test::ProgrammLabor::liesDatei(nebenan + u"/meins.txt"_s), "meins");
        // The private folder goes last.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QDir(arbeit).isEmpty(); }, 10000));
    }

    QString privaterOrdner() const {
        const QStringList namen = QDir(arbeit).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return namen.size() == 1 ? QDir(arbeit).filePath(namen[0]) : QString();
    }

    QByteArray installiertesProgramm() const {
        return test::ProgrammLabor::liesDatei(installation + u"/bin/parlix"_s);
    }

    const QString archiv = labor.pfad(u"parlix.zip"_s);
    // The user's own folder of that name, which the swap must not take for its own.
    const QString nebenan = installation + u".alt"_s;
    Dienste dienste{
        {Datenbank::ausAngabe(labor.pfad(u"konten.sqlite"_s)), {}, {}, u"1.10"_s, archiv}};
    ServerFaden server{dienste};
    KindProzess wir{u"sleep"_s, {u"60"_s}};
};

TEST_F(UpdateTauschTest, ASignedReleaseReplacesTheInstallationAfterTheProgramEnded) {
    test::LogMitschnitt log;
    const QByteArray neu = test::ProgrammLabor::liesDatei(quelle + u"/bin/parlix"_s);
    EXPECT_EQ(pruefe(), Updater::Ergebnis::gefunden);
    EXPECT_TRUE(beendet);
    EXPECT_TRUE(log.enthaelt(u"Update verfügbar: 1.9 → 1.10 — lade herunter"_s));
    EXPECT_TRUE(log.enthaelt(u"Update wird installiert → beende mich für den Austausch"_s));
    // Nothing is touched while the program runs.
    EXPECT_TRUE(labor.marken().isEmpty());
    EXPECT_NE(installiertesProgramm(), neu);

    beendeUnsUndErwarte(u"1.10"_s, neu);
    EXPECT_TRUE(QFile::exists(installation + u"/manifest.sha256"_s));
    // The new installation is one the updater may replace again.
    EXPECT_TRUE(Installation::von(installation + u"/bin/parlix"_s).ersetzbar);
}

TEST_F(UpdateTauschTest, ACopyThatFailsPartWayPutsTheOldInstallationBackAndStartsIt) {
    const QByteArray alt = installiertesProgramm();
    // The swap inherits a file size limit of 1 MiB (as a full disk would stop it), and the
    // new folder gets a 2 MiB file after it was checked: the copy breaks off part way.
    rlimit vorher{};
    getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit eng = vorher;
    eng.rlim_cur = 1024 * 1024;
    const auto signalVorher = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &eng);
    const Updater::Ergebnis ergebnis = pruefe();
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signalVorher);
    ASSERT_EQ(ergebnis, Updater::Ergebnis::gefunden);

    const QString neu = privaterOrdner() + u"/neu/parlix"_s;
    QFile gross(neu + u"/share/gross.bin"_s);
    ASSERT_TRUE(gross.open(QIODevice::WriteOnly));
    gross.write(QByteArray(2 * 1024 * 1024, 'x'));
    gross.close();

    beendeUnsUndErwarte(u"1.9"_s, alt);
    EXPECT_FALSE(QFile::exists(installation + u"/share/gross.bin"_s));
    EXPECT_FALSE(QFile::exists(installation + u"/parlix.alt"_s));
}

} // namespace
