// Pasting into real applications of a headless desktop, read back from the application.
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/x11/X11Ablage.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XTestTasten.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <X11/keysym.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

// Paste at 60 ms, restore 600 ms later, with room for a loaded machine.
constexpr auto kNachWiederherstellung = 1200ms;

class EinfuegenTest : public ::testing::Test {
protected:
    QtMainQueue queue_;
    SpeicherDefaultsStore speicher_;
    X11VordergrundApp vorn_;
    XTestTasten tasten_;
    X11Ablage ablage_;
    AblageTextInserter inserter_{queue_, speicher_, vorn_, ablage_, &tasten_};
};

TEST_F(EinfuegenTest, QtFeldBekommtBeideTexteUndDieAblageDenTextDesNutzers) {
    setzeAblage(u"vom Nutzer kopiert"_s);
    KindProzess& feld = starteTextfeld(u"QtZiel"_s);

    std::optional<TextInserter::Ergebnis> ergebnis;
    inserter_.fuegeEin(u"Hallo aus Parlix"_s,
                       [&](TextInserter::Ergebnis ende) { ergebnis = ende; });
    ASSERT_TRUE(warteAufZeile(feld, u"Hallo aus Parlix"_s));
    EXPECT_EQ(ergebnis, TextInserter::Ergebnis::eingefuegt);
    // A second insertion before the first one's restore.
    inserter_.fuegeEin(u", zweimal"_s, {});
    EXPECT_TRUE(warteAufZeile(feld, u"Hallo aus Parlix, zweimal"_s));

    laufeFuer(kNachWiederherstellung);
    EXPECT_EQ(ablageText(), u"vom Nutzer kopiert"_s);
}

TEST_F(EinfuegenTest, GtkFeldBekommtDenText) {
    KindProzess& zenity = starteFenster(
        u"zenity"_s, {u"--entry"_s, u"--title=GtkZiel"_s, u"--text=Eingabe"_s}, u"GtkZiel"_s);

    inserter_.fuegeEin(u"Grüße aus GTK"_s, {});
    laufeFuer(300ms);
    tippe({.keysym = XK_Return}); // zenity prints the entry and ends
    EXPECT_TRUE(warteAufZeile(zenity, u"Grüße aus GTK"_s));
}

TEST_F(EinfuegenTest, XtermBekommtDenTextUeberDiePrimaereAuswahlAuchUnterFremdemNamen) {
    // The second one is known as a terminal only by its process.
    for (const QString& klasse : {u"XTerm"_s, u"Unbekannt"_s}) {
        const QString datei = prozessDesktop().verzeichnis() + u"/terminal-"_s + klasse;
        starteFenster(u"xterm"_s,
                      {u"-class"_s, klasse, u"-T"_s, klasse + u"Ziel"_s, u"-e"_s, u"sh"_s, u"-c"_s,
                       u"read zeile; printf '%s' \"$zeile\" > "_s + datei},
                      klasse + u"Ziel"_s);
        setzeAblage(u"Ablage"_s);

        inserter_.fuegeEin(u"echo im Terminal"_s, {});
        laufeFuer(300ms);
        tippe({.keysym = XK_Return});
        QFile ergebnis(datei);
        EXPECT_TRUE(laufeBis([&] { return ergebnis.exists() && ergebnis.size() > 0; }));
        ASSERT_TRUE(ergebnis.open(QIODevice::ReadOnly));
        EXPECT_EQ(ergebnis.readAll(), "echo im Terminal") << klasse.toStdString();
        laufeFuer(kNachWiederherstellung);
        EXPECT_EQ(ablageText(), u"Ablage"_s);
    }
}

TEST_F(EinfuegenTest, WasDerNutzerInzwischenKopiertBleibtInDerAblage) {
    setzeAblage(u"alt"_s);
    KindProzess& feld = starteTextfeld(u"Kopierfeld"_s, u"Nutzertext "_s);

    inserter_.fuegeEin(u"diktiert"_s, {});
    ASSERT_TRUE(warteAufZeile(feld, u"Nutzertext diktiert"_s));
    tippe({.strg = true, .keysym = XK_a});
    tippe({.strg = true, .keysym = XK_c});

    laufeFuer(kNachWiederherstellung);
    EXPECT_EQ(ablageText(), u"Nutzertext diktiert"_s);
}

TEST_F(EinfuegenTest, ImZwischenablageModusBleibtDerTextAuchWennDerModusWechselt) {
    setzeAblage(u"alt"_s);
    KindProzess& feld = starteTextfeld(u"Modusfeld"_s);
    Einstellungen(speicher_).setzeZwischenablageModus(true);

    inserter_.fuegeEin(u"bleibt"_s, {});
    Einstellungen(speicher_).setzeZwischenablageModus(false);
    EXPECT_TRUE(warteAufZeile(feld, u"bleibt"_s));
    laufeFuer(kNachWiederherstellung);
    EXPECT_EQ(ablageText(), u"bleibt"_s);
}

TEST_F(EinfuegenTest, WartetBisDieModifikatorenLosgelassenSindUndLeertEineLeereAblage) {
    QGuiApplication::clipboard()->clear();
    KindProzess& feld = starteTextfeld(u"Altfeld"_s);

    halte(XK_Alt_L, true); // the hotkey is still held
    inserter_.fuegeEin(u"nach dem Loslassen"_s, {});
    // Alt+Ctrl+V would paste nothing; the text arrives once Alt is up.
    EXPECT_FALSE(warteAufZeile(feld, u"nach dem Loslassen"_s, 400ms));
    halte(XK_Alt_L, false);
    EXPECT_TRUE(warteAufZeile(feld, u"nach dem Loslassen"_s));

    laufeFuer(kNachWiederherstellung);
    EXPECT_EQ(ablageText(), std::nullopt);
}

TEST_F(EinfuegenTest, FindetDieTasteVImAktuellenLayout) {
    KindProzess& feld = starteTextfeld(u"Dvorakfeld"_s);
    // Dvorak puts "v" where QWERTY has ".".
    ASSERT_TRUE(KindProzess::ausgabe(u"setxkbmap"_s,
                                     {u"-layout"_s, u"us"_s, u"-variant"_s, u"dvorak"_s}, 5s));
    inserter_.fuegeEin(u"auf Dvorak"_s, {});
    const bool angekommen = warteAufZeile(feld, u"auf Dvorak"_s);
    KindProzess::ausgabe(u"setxkbmap"_s, {u"-layout"_s, u"us"_s}, 5s);
    EXPECT_TRUE(angekommen);
}

} // namespace
} // namespace parlix::test
