// Reading the focused field of real applications over AT-SPI.
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVertrauen.hpp"
#include "app/platform/x11/X11DesktopZugang.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

bool protokolliert(const LogMitschnitt& log, const QString& anfang) {
    return log.zeilen().filter(anfang).size() == 1;
}

TEST(AtspiKontext, GibtDieAuswahlSonstDenGanzenFeldinhalt) {
    AtspiKontext kontext(atspi());
    LogMitschnitt log;

    starteTextfeld(u"Markiert"_s, u"Hallo schöne Welt"_s, 6, 6);
    EXPECT_EQ(kontext.auswahl(), u"schöne"_s);
    EXPECT_EQ(kontext.text(), u"schöne"_s);
    EXPECT_TRUE(protokolliert(log, u"AX: Auswahl (6 Z., Rolle "_s))
        << log.zeilen().join(u'\n').toStdString();

    starteTextfeld(u"Unmarkiert"_s, u"nichts markiert"_s);
    EXPECT_EQ(kontext.auswahl(), QString());
    EXPECT_EQ(kontext.text(), u"nichts markiert"_s);
    EXPECT_TRUE(protokolliert(log, u"AX: Feldinhalt (15 Z., Rolle "_s));
}

TEST(AtspiKontext, LiestEinGtkFeldUndMeldetEinElementOhneText) {
    AtspiKontext kontext(atspi());
    LogMitschnitt log;

    starteFenster(u"zenity"_s,
                  {u"--entry"_s, u"--title=GtkKontext"_s, u"--entry-text=GTK Inhalt"_s},
                  u"GtkKontext"_s);
    EXPECT_EQ(kontext.text(), u"GTK Inhalt"_s);

    starteFenster(u"zenity"_s, {u"--question"_s, u"--title=Knopf"_s, u"--text=Frage"_s},
                  u"Knopf"_s);
    EXPECT_EQ(kontext.text(), QString());
    EXPECT_TRUE(protokolliert(log, u"AX: Element ohne Text (Rolle "_s))
        << log.zeilen().join(u'\n').toStdString();
}

TEST(AtspiVertrauen, VertrautMitXTestXInputUndErreichbaremBus) {
    AtspiVertrauen vertrauen(atspi(), X11DesktopZugang().tastenUndEingabe());
    EXPECT_TRUE(laufeBis([&] { return vertrauen.istVertraut(); }));
    AtspiVertrauen ohneTasten(atspi(), false);
    EXPECT_FALSE(ohneTasten.istVertraut());
}

} // namespace
} // namespace parlix::test
