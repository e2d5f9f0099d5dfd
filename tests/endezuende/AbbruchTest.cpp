// Escape while the provider is still working: nothing is pasted, nothing enters the
// history, no error shows, and the request in flight is given up.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using AbbruchTest = EndeZuEndeTest;

TEST_F(AbbruchTest, EscapeWaehrendDerVerarbeitungLaesstFeldUndVerlaufUnberuehrt) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    anbieterAntwortet(u"das soll nicht ankommen"_s, u"Das soll nicht ankommen."_s);
    // The cleanup takes its time, long enough for the user to change their mind.
    constexpr auto bedenkzeit = 4s;
    server().stelleEin(chatPfad, chatAntwort(u"Das soll nicht ankommen."_s).nach(bedenkzeit));
    Zielfeld feld = Zielfeld::qt(b(), u"bleibt so"_s);
    ASSERT_TRUE(feld.bereit());

    ASSERT_NO_FATAL_FAILURE(diktiere(sprache(u"Das soll nicht ankommen."_s)));
    ASSERT_TRUE(warteAufChat()) << "the cleanup request did not come";
    EXPECT_TRUE(hudZeigt());
    schritt(u"verarbeitung"_s);
    b().nutzer().tippe({.keysym = XK_Escape});

    EXPECT_TRUE(parlix().warteAufLog(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s, 1, 10s));
    EXPECT_TRUE(warteAufHud(false)) << "the HUD stays after Escape";
    schritt(u"abgebrochen"_s);
    // Past the moment the answer arrives and would have been pasted.
    std::this_thread::sleep_for(bedenkzeit + 1500ms);
    EXPECT_EQ(feld.inhalt(), u"bleibt so"_s);
    EXPECT_TRUE(parlix().verlauf().isEmpty());
    EXPECT_EQ(parlix().logAnzahl(u"⌘V Auto-Einfügen"_s), 0);
    EXPECT_EQ(parlix().logAnzahl(u"FEHLER"_s), 0);
    EXPECT_FALSE(hudZeigt());
}

} // namespace
} // namespace parlix::test
