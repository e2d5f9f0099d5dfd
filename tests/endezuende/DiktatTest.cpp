// Dictation as the user meets it: a text field of a real application has the focus, the
// user holds the dictation key, speaks and lets go; the cleaned-up text appears in the
// field, and what the user had copied is back on the clipboard.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

struct Ziel {
    const char* name;
    Zielfeld (*oeffne)(Buehne&);
};

void PrintTo(const Ziel& ziel, std::ostream* aus) {
    *aus << ziel.name;
}

Zielfeld qtFeld(Buehne& b) {
    return Zielfeld::qt(b);
}

const QString kGesagt = u"hallo welt das ist ein test der diktierfunktion"_s;
const QString kBereinigt = u"Hallo Welt, das ist ein Test der Diktierfunktion."_s;
const QString kKopiert = u"vorher kopiert"_s;

class DiktatTest : public EndeZuEndeTest, public ::testing::WithParamInterface<Ziel> {};

TEST_P(DiktatTest, DerBereinigteTextStehtImFeldUndImVerlaufUndDieAblageGehoertDemNutzer) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    anbieterAntwortet(kGesagt, kBereinigt);
    ASSERT_TRUE(b().ablage().kopiere(kKopiert));
    Zielfeld feld = GetParam().oeffne(b());
    ASSERT_TRUE(feld.bereit()) << feld.name().toStdString() << " did not come up with the focus";
    const QByteArray gesprochen = sprache(u"Hallo Welt, das ist ein Test der Diktierfunktion."_s);

    ASSERT_NO_FATAL_FAILURE(sprichMitTaste(gesprochen, XK_Control_L));
    EXPECT_TRUE(warteAufHud(true)) << "the HUD does not show during the recording";
    const int ablageWechsel = b().ablage().wechsel();
    b().nutzer().lasseTasteLos(XK_Control_L);

    ASSERT_TRUE(parlix().warteAufLog(u"⌘V Auto-Einfügen"_s)) << "nothing was pasted";
    // Parlix takes the clipboard for the paste, and once more to put the user's text back
    // after the paste key went out.
    EXPECT_TRUE(warteBis([&] { return b().ablage().wechsel() >= ablageWechsel + 2; }));
    EXPECT_EQ(b().ablage().text(), kKopiert);
    EXPECT_TRUE(feld.haeltBald(kBereinigt)) << feld.inhalt().toStdString();
    schritt(u"eingefuegt"_s);
    EXPECT_TRUE(warteAufHud(false)) << "the HUD stays after the delivery";

    const QList<VerlaufEintrag> verlauf = parlix().verlauf();
    ASSERT_EQ(verlauf.size(), 1);
    EXPECT_EQ(verlauf[0].art, u"Diktat"_s);
    EXPECT_EQ(verlauf[0].text, kBereinigt);
    EXPECT_EQ(verlauf[0].gesagt, kGesagt);

    // The provider heard what was said: all of it, at its level, and little else.
    const QList<Anfrage> transkription = server().anfragen(sttPfad);
    ASSERT_EQ(transkription.size(), 1);
    const QByteArray aufnahme = pcmAus(transkription[0]);
    EXPECT_GE(aufnahme.size(), gesprochen.size());
    EXPECT_LE(aufnahme.size(), gesprochen.size() + 10 * 32000) << "more than 10 s around it";
    EXPECT_NEAR(energie(aufnahme) / energie(gesprochen), 1.0, 0.05);
    const QList<Anfrage> chat = server().anfragen(chatPfad);
    ASSERT_EQ(chat.size(), 1);
    EXPECT_EQ(nutzerNachricht(chat[0]), kGesagt);
}

INSTANTIATE_TEST_SUITE_P(Felder, DiktatTest,
                         ::testing::Values(Ziel{"Qt", &qtFeld}, Ziel{"GTK", &Zielfeld::gtk},
                                           Ziel{"Terminal", &Zielfeld::terminal},
                                           Ziel{"Chromium", &Zielfeld::chromium}),
                         [](const ::testing::TestParamInfo<Ziel>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace parlix::test
