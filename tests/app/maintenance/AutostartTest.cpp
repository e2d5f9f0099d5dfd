#include "app/maintenance/Autostart.hpp"

#include "app/platform/KindProzess.hpp"
#include "tests/app/maintenance/ProgrammLabor.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class AutostartTest : public ::testing::Test {
protected:
    AutostartTest() {
        umgebung.setze("XDG_CONFIG_HOME", QFile::encodeName(labor.pfad(u"config"_s)));
    }

    test::ProgrammLabor labor;
    test::GesetzteUmgebung umgebung;
};

TEST_F(AutostartTest, TheEntryIsValidAndStartsExactlyThisProgram) {
    // GLib's launcher (what GNOME starts autostart entries with) must run the very file.
    for (const QString& ordner :
         {u"Mein Ordner & \"Zitat\" $HOME `id` \\ 'x'"_s, u"100% fertig & $USER"_s}) {
        SCOPED_TRACE(ordner.toStdString());
        test::LogMitschnitt log;
        QFile::remove(labor.pfad(u"marken"_s));
        const QString programm = labor.pfad(ordner + u"/bin/parlix"_s);
        labor.zeugenSkript(programm, 0);

        Autostart::aktiviere(programm);
        EXPECT_TRUE(Autostart::istAktiv());
        EXPECT_EQ(Autostart::pfad(), labor.pfad(u"config/autostart/com.orvand.parlix.desktop"_s));
        EXPECT_TRUE(log.enthaelt(u"Autostart aktiviert → "_s + programm));

        KindProzess pruefung(u"desktop-file-validate"_s, {Autostart::pfad()});
        EXPECT_EQ(pruefung.warteAufEnde(10s), 0);
        EXPECT_EQ(pruefung.lies(0ms), QByteArray());

        KindProzess start(u"gio"_s, {u"launch"_s, Autostart::pfad()});
        EXPECT_EQ(start.warteAufEnde(10s), 0);
        // The program and the script's own last line, no argument between them: the login
        // start uses the backend stored in the settings.
        ASSERT_TRUE(labor.warteAufMarken(2));
        EXPECT_EQ(labor.marken().size(), 2);
        EXPECT_EQ(labor.marken().first(), programm);
    }
}

TEST_F(AutostartTest, OnTwiceRewritesOffRemovesAndBothAlwaysLog) {
    test::LogMitschnitt log;
    Autostart::aktiviere(u"/opt/alt/bin/parlix"_s);
    Autostart::aktiviere(u"/opt/neu/bin/parlix"_s);
    const QString eintrag = QString::fromUtf8(test::ProgrammLabor::liesDatei(Autostart::pfad()));
    EXPECT_TRUE(eintrag.contains(u"Exec=\"/opt/neu/bin/parlix\"\n"_s)) << eintrag.toStdString();
    EXPECT_FALSE(eintrag.contains(u"/opt/alt"_s));
    EXPECT_EQ(QDir(labor.pfad(u"config/autostart"_s)).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(log.anzahl(u"Autostart aktiviert → /opt/neu/bin/parlix"_s), 1);

    Autostart::deaktiviere();
    EXPECT_FALSE(Autostart::istAktiv());
    Autostart::deaktiviere();
    EXPECT_EQ(log.anzahl(u"Autostart deaktiviert"_s), 2);
}

TEST_F(AutostartTest, AnUnwritableFolderIsLoggedAndLeavesItOff) {
    test::LogMitschnitt log;
    QFile blockade(labor.pfad(u"config"_s));
    ASSERT_TRUE(blockade.open(QIODevice::WriteOnly));
    Autostart::aktiviere(u"/opt/bin/parlix"_s);
    EXPECT_FALSE(Autostart::istAktiv());
    ASSERT_EQ(log.zeilen().size(), 1);
    EXPECT_TRUE(
        log.zeilen()[0].startsWith(u"FEHLER: Autostart konnte nicht geschrieben werden: "_s));
}

} // namespace
