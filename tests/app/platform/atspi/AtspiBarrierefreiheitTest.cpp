// Switching the session's accessibility bus on, as the permission row does.
#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"

#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KopflosesDesktop.hpp"

#include <gtest/gtest.h>

namespace parlix::test {
namespace {

TEST(AtspiBarrierefreiheit, AnOffBusIsSwitchedOnAndStaysOn) {
    // The bus launcher keeps the switch in the desktop settings: in memory here, so that
    // the test starts from "off" and leaves the user's settings alone.
    GesetzteUmgebung umgebung;
    umgebung.setze("GSETTINGS_BACKEND", "memory");
    KopflosesDesktop desktop({.fensterManager = false, .barrierefreiheit = false});
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    AtspiBarrierefreiheit bus;
    EXPECT_FALSE(bus.aktiv());
    EXPECT_TRUE(bus.schalteEin());
    EXPECT_TRUE(bus.aktiv());
    EXPECT_TRUE(AtspiBarrierefreiheit().aktiv());
}

TEST(AtspiBarrierefreiheit, WithoutASessionBusItIsOffAndCannotBeSwitched) {
    GesetzteUmgebung umgebung;
    umgebung.setze("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/parlix-bus");
    AtspiBarrierefreiheit bus;
    EXPECT_FALSE(bus.aktiv());
    EXPECT_FALSE(bus.schalteEin());
}

} // namespace
} // namespace parlix::test
