#include "app/maintenance/Neustart.hpp"

#include "app/platform/KindProzess.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "core/text/Lokalisierung.hpp"
#include "tests/app/maintenance/ProgrammLabor.hpp"

#include <atomic>
#include <csignal>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class NeustartTest : public ::testing::Test {
protected:
    Neustart::Einrichtung einrichtung() {
        return {programm, argumente, wir.pid(), [this] { beendet = true; }};
    }

    // Ends the stand-in for this process.
    void beendeUns() {
        wir.sende(SIGTERM);
        wir.warteAufEnde(10s);
    }

    test::ProgrammLabor labor;
    KindProzess wir{u"sleep"_s, {u"60"_s}};
    const QString programm = labor.pfad(u"Ein 'Ordner' mit $HOME/bin/parlix"_s);
    const QStringList argumente{u"--backend"_s, u"http://127.0.0.1:1/ x"_s, u"$(id)"_s,
                                u"--backend=https://h"_s, u"'"_s};
    std::atomic<bool> beendet{false};
};

TEST_F(NeustartTest, TheSameProgramStartsOnlyAfterThisProcessHasEndedWithTheStoredBackend) {
    labor.zeugenSkript(programm, wir.pid());
    Neustart::starteNeu(einrichtung());
    EXPECT_TRUE(beendet);
    EXPECT_TRUE(labor.marken().isEmpty());

    beendeUns();
    // A backend from the command line lasted for that start only.
    ASSERT_TRUE(labor.warteAufMarken(4));
    EXPECT_EQ(labor.marken(), (QStringList{programm, u"$(id)"_s, u"'"_s, u"frei"_s}));
}

TEST_F(NeustartTest, AsksInTheChosenLanguageAndRestartsOnlyOnYes) {
    labor.zeugenSkript(programm, wir.pid());
    SpeicherDefaultsStore speicher;
    Einstellungen(speicher).setzeUiSprache(u"fr"_s);
    QStringList gefragt;
    bool antwort = false;
    const Neustart::Frage frage = [&](const QString& titel, const QString& text,
                                      const QString& jetzt, const QString& spaeter) {
        gefragt = {titel, text, jetzt, spaeter};
        return antwort;
    };

    Neustart::frageUndStarteNeu(speicher, frage, einrichtung());
    const QStringList franzoesisch = {
        Lokalisierung::text(u"neustart.titel"_s, u"fr"_s),
        Lokalisierung::text(u"neustart.text"_s, u"fr"_s),
        Lokalisierung::text(u"neustart.jetzt"_s, u"fr"_s),
        Lokalisierung::text(u"neustart.spaeter"_s, u"fr"_s),
    };
    EXPECT_EQ(gefragt, franzoesisch);
    EXPECT_EQ(gefragt[2], u"Redémarrer maintenant"_s);
    EXPECT_FALSE(beendet);

    antwort = true;
    Neustart::frageUndStarteNeu(speicher, frage, einrichtung());
    EXPECT_TRUE(beendet);
    beendeUns();
    EXPECT_TRUE(labor.warteAufMarken(4));
}

} // namespace
