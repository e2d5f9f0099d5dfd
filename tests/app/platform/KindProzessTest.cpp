#include "app/platform/KindProzess.hpp"

#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix {
namespace {

TEST(KindProzess, LiefertDieAusgabeNurBeiErfolg) {
    EXPECT_EQ(KindProzess::ausgabe(u"printf"_s, {u"a\\0b\\n"_s}, std::chrono::seconds(5)),
              QByteArray("a\0b\n", 4));
    EXPECT_FALSE(
        KindProzess::ausgabe(u"sh"_s, {u"-c"_s, u"echo teil; exit 3"_s}, std::chrono::seconds(5)));
    EXPECT_FALSE(KindProzess::ausgabe(u"parlix-gibt-es-nicht"_s, {}, std::chrono::seconds(5)));
    // More than a pipe holds: the child must not block while we wait for its end.
    const auto viel = KindProzess::ausgabe(u"head"_s, {u"-c"_s, u"300000"_s, u"/dev/zero"_s},
                                           std::chrono::seconds(10));
    ASSERT_TRUE(viel);
    EXPECT_EQ(viel->size(), 300000);
}

TEST(KindProzess, EinHaengendesProgrammWirdNachDerFristBeendet) {
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(KindProzess::ausgabe(u"sleep"_s, {u"30"_s}, std::chrono::milliseconds(200)));
    EXPECT_LT(uhr.elapsed(), 5000);

    qint64 pid = 0;
    {
        KindProzess kind(u"sleep"_s, {u"30"_s});
        ASSERT_TRUE(kind.gestartet());
        pid = kind.pid();
        EXPECT_FALSE(kind.warteAufEnde(std::chrono::milliseconds(50)));
    }
    // Killed and reaped: no such process any more.
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);
}

TEST(KindProzess, ErhaeltDieGegebeneUmgebungUndLiestStueckweise) {
    KindProzess kind(
        u"sh"_s, {u"-c"_s, u"echo \"$PARLIX_WERT\"; sleep 0.2; echo zwei"_s},
        KindProzess::Optionen{{}, QStringList{u"PARLIX_WERT=eins"_s, u"PATH=/usr/bin:/bin"_s}});
    EXPECT_EQ(kind.lies(std::chrono::seconds(5)), "eins\n");
    EXPECT_EQ(kind.warteAufEnde(std::chrono::seconds(5)), 0);
    EXPECT_EQ(kind.lies(std::chrono::milliseconds(0)), "zwei\n");
}

} // namespace
} // namespace parlix
