// The connection to a real compositor: what a headless sway offers, and jobs on the
// connection's thread.
#include "app/platform/wayland/WaylandVerbindung.hpp"

#include "tests/support/KopflosesWaylandDesktop.hpp"

#include <gtest/gtest.h>

namespace parlix::test {
namespace {

TEST(WaylandVerbindungTest, SwayBietetDieProtokolleDieParlixBraucht) {
    KopflosesWaylandDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    WaylandVerbindung verbindung;
    ASSERT_TRUE(verbindung.verbunden());
    for (const char* protokoll :
         {"zwp_virtual_keyboard_manager_v1", "zwlr_data_control_manager_v1", "zwlr_layer_shell_v1",
          "zwlr_screencopy_manager_v1", "zwlr_foreign_toplevel_manager_v1"}) {
        EXPECT_TRUE(verbindung.bietet(protokoll)) << protokoll;
    }
    // sway 1.7 is older than the standardised clipboard protocol.
    EXPECT_FALSE(verbindung.bietet("ext_data_control_manager_v1"));
    EXPECT_EQ(verbindung.frage<int>([&] { return verbindung.rundlauf() ? 7 : 0; }), 7);
}

TEST(WaylandVerbindungTest, OhneCompositorGibtEsKeineVerbindungUndKeineJobs) {
    GesetzteUmgebung umgebung;
    umgebung.setze("WAYLAND_DISPLAY", "parlix-gibt-es-nicht");
    WaylandVerbindung verbindung;
    EXPECT_FALSE(verbindung.verbunden());
    bool gelaufen = false;
    EXPECT_FALSE(verbindung.fuehreAus([&] { gelaufen = true; }));
    EXPECT_FALSE(gelaufen);
}

} // namespace
} // namespace parlix::test
