// Action mode on a selection: the spoken instruction and the selected text reach the
// chat call; a translation replaces the selection, a summary goes to the history panel
// and the clipboard.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

class AktionTest : public EndeZuEndeTest {
protected:
    // The action key held over the field with "Guten Morgen" selected.
    void handleAufAuswahl(const QString& anweisung, const QString& ergebnis) {
        anbieterAntwortet(anweisung, ergebnis);
        feld_ = std::make_unique<Zielfeld>(Zielfeld::qt(b(), u"Guten Morgen, Welt"_s, 0, 12));
        ASSERT_TRUE(feld_->bereit());
        ASSERT_NO_FATAL_FAILURE(diktiere(sprache(anweisung), XK_Control_R));
        ASSERT_TRUE(warteAufChat()) << "no chat call";
        const QList<Anfrage> chat = server().anfragen(chatPfad);
        EXPECT_EQ(nutzerNachricht(chat[0]),
                  u"ANWEISUNG: "_s + anweisung + u"\n\nTEXT:\nGuten Morgen"_s);
    }

    std::unique_ptr<Zielfeld> feld_;
};

TEST_F(AktionTest, EineUebersetzungErsetztDieAuswahl) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    ASSERT_NO_FATAL_FAILURE(handleAufAuswahl(u"übersetze das ins Englische"_s, u"Good morning"_s));

    EXPECT_TRUE(feld_->haeltBald(u"Good morning, Welt"_s)) << feld_->inhalt().toStdString();
    schritt(u"ersetzt"_s);
    const QList<VerlaufEintrag> verlauf = parlix().verlauf();
    ASSERT_EQ(verlauf.size(), 1);
    EXPECT_EQ(verlauf[0].art, u"Aktion"_s);
    EXPECT_EQ(verlauf[0].text, u"Good morning"_s);
}

TEST_F(AktionTest, EineZusammenfassungErscheintImVerlaufsfensterUndInDerAblage) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    ASSERT_NO_FATAL_FAILURE(handleAufAuswahl(u"fasse das zusammen"_s, u"Ein Gruß am Morgen."_s));

    EXPECT_TRUE(parlix().warteAufLog(u"💬 Ergebnis"_s)) << "the result went elsewhere";
    EXPECT_TRUE(warteBis([&] { return b().bildschirm().zeigt(u"Parlix"_s); }))
        << "the history panel does not show";
    EXPECT_TRUE(warteBis([&] { return b().ablage().text() == u"Ein Gruß am Morgen."_s; }));
    schritt(u"verlaufsfenster"_s);
    EXPECT_EQ(feld_->inhalt(), u"Guten Morgen, Welt"_s);
    ASSERT_FALSE(parlix().verlauf().isEmpty());
    EXPECT_EQ(parlix().verlauf()[0].art, u"Aktion"_s);
}

} // namespace
} // namespace parlix::test
