// The running instance takes requests of later starts: show the panel, or (--toggle)
// start or stop a dictation.
#include "app/start/EinzelInstanz.hpp"

#include "tests/support/QtWarten.hpp"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace parlix::test {

namespace {

TEST(EinzelInstanzTest, EineSpaetereInstanzWecktOderSchaltetDieErsteUm) {
    QTemporaryDir ordner;
    EinzelInstanz spaetere(ordner.path());
    EXPECT_FALSE(spaetere.schalteErsteUm()); // nobody runs yet

    EinzelInstanz erste(ordner.path());
    ASSERT_TRUE(erste.werdeErste());
    ASSERT_FALSE(spaetere.werdeErste());
    QSignalSpy geweckt(&erste, &EinzelInstanz::geweckt);
    QSignalSpy umschalten(&erste, &EinzelInstanz::umschalten);
    ASSERT_TRUE(spaetere.schalteErsteUm());
    ASSERT_TRUE(warteQt([&] { return umschalten.size() == 1; }));
    ASSERT_TRUE(spaetere.weckeErste());
    ASSERT_TRUE(warteQt([&] { return geweckt.size() == 1; }));
    EXPECT_EQ(umschalten.size(), 1);
}

} // namespace

} // namespace parlix::test
