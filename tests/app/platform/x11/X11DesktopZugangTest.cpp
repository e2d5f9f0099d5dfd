// The probes behind the permission rows, on a private X server.
#include "app/platform/x11/X11DesktopZugang.hpp"

#include "tests/app/platform/x11/X11Test.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(X11DesktopZugang, AnXServerWithXInputAndXTestGivesKeysInputAndCapture) {
    KopflosesDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    X11DesktopZugang zugang;
    EXPECT_FALSE(zugang.istWayland());
    EXPECT_TRUE(zugang.tastenUndEingabe());
    // The root window without an active window, then an active one of the window manager.
    EXPECT_TRUE(zugang.fensterAufnahme());
    desktop.starte(u"xterm"_s,
                   {u"-class"_s, u"ParlixZugang"_s, u"-geometry"_s, u"40x10+900+700"_s});
    ASSERT_NE(desktop.warteAufFenster(u"ParlixZugang"_s), 0u);
    EXPECT_TRUE(zugang.fensterAufnahme());
}

TEST(X11DesktopZugang, WithoutADisplayNothingIsAvailable) {
    GesetzteUmgebung umgebung;
    umgebung.setze("DISPLAY", ":9873");
    X11DesktopZugang zugang;
    EXPECT_FALSE(zugang.tastenUndEingabe());
    EXPECT_FALSE(zugang.fensterAufnahme());
}

TEST(X11DesktopZugang, AWaylandSessionIsRecognisedByEitherVariable) {
    GesetzteUmgebung umgebung;
    umgebung.entferne("WAYLAND_DISPLAY");
    umgebung.setze("XDG_SESSION_TYPE", "x11");
    X11DesktopZugang zugang;
    EXPECT_FALSE(zugang.istWayland());
    umgebung.setze("XDG_SESSION_TYPE", "Wayland");
    EXPECT_TRUE(zugang.istWayland());
    umgebung.setze("XDG_SESSION_TYPE", "x11");
    umgebung.setze("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(zugang.istWayland());
}

} // namespace
} // namespace parlix::test
