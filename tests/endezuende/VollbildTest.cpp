// While the application in front shows a full-screen window (a game, a video), the
// hotkeys do nothing; once it leaves full screen they work again.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using VollbildTest = EndeZuEndeTest;

TEST_F(VollbildTest, ImVollbildTutDieDiktattasteNichtsDanachWieder) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    anbieterAntwortet(u"danach"_s, u"Danach."_s);
    Zielfeld feld = Zielfeld::qt(b());
    ASSERT_TRUE(feld.bereit());
    const std::optional<Bildschirm::Fenster> fenster = b().bildschirm().aktivesFenster();
    ASSERT_TRUE(fenster);

    b().nutzer().vollbild(fenster->id, true);
    ASSERT_TRUE(parlix().warteAufLog(u"Game Mode AN — Hotkeys deaktiviert"_s, 1, 20s));
    schritt(u"vollbild"_s);
    // Held well past the start delay: no recording, no HUD, nothing at the server.
    b().nutzer().drueckeTaste(XK_Control_L);
    const bool hudErschienen = warteBis([this] { return hudZeigt(); }, 2500ms);
    b().nutzer().lasseTasteLos(XK_Control_L);
    EXPECT_FALSE(hudErschienen);
    EXPECT_EQ(parlix().logAnzahl(u"▶︎ START"_s), 0);
    EXPECT_TRUE(server().streams().isEmpty());
    EXPECT_TRUE(server().anfragen(sttPfad).isEmpty());

    b().nutzer().vollbild(fenster->id, false);
    ASSERT_TRUE(parlix().warteAufLog(u"Game Mode AUS — Hotkeys aktiv"_s, 1, 20s));
    ASSERT_NO_FATAL_FAILURE(diktiere(sprache(u"Danach."_s)));
    EXPECT_TRUE(feld.haeltBald(u"Danach."_s)) << feld.inhalt().toStdString();
}

} // namespace
} // namespace parlix::test
