#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/ui/SymbolKnopf.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/tray/StatusPanel.hpp"
#include "app/ui/tray/Tray.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"
#include "app/ui/verlauf/GlasVerlaufController.hpp"
#include "app/ui/verlauf/GlasVerlaufFenster.hpp"
#include "app/ui/verlauf/VerlaufKarte.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "server/Antwort.hpp"
#include "tests/app/start/StartTestBasis.hpp"
#include "tests/support/QtWarten.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

constexpr qint64 linkeStrg = 59;
constexpr qint64 rechteOption = 61;
constexpr qint64 tasteL = 37;
const QString mePfad = u"/auth/me"_s;

class AppDelegateTest : public StartTestBasis {
protected:
    // The first window the start-up opened; nothing after the account has started and
    // the queue is idle.
    QStringList fenster() const { return fake.aufrufe.mit(u"fenster."_s); }

    void halteModifier(qint64 keyCode, quint64 flag) {
        tasten->druecke(Ereignistyp::flagsGeaendert, keyCode, flag);
        queue.laufe();
    }
    void lasseModifierLos(qint64 keyCode) {
        tasten->druecke(Ereignistyp::flagsGeaendert, keyCode, 0);
        queue.laufe();
    }
};

TEST_F(AppDelegateTest, AFirstRunOpensTheSetupWindowOnlyAfterTheAccountHasStarted) {
    TokenSpeicher::setze(u"t"_s, verzeichnis.filePath(u"token"_s));
    server.drehbuch().stelleEin(mePfad, Antwort::json(200, {{u"email"_s, u"jana@example.org"_s}}));
    starte();
    EXPECT_TRUE(tasten->gestartet());
    EXPECT_TRUE(log.enthaelt(u"App gestartet. Bedienungshilfen vertraut: true"_s));

    ASSERT_TRUE(queue.warteBis([&] { return !fenster().isEmpty(); }));
    EXPECT_EQ(fenster(), QStringList{u"fenster.setup"_s});
    // The profile had arrived when the window opened.
    EXPECT_EQ(app().konto().email(), u"jana@example.org"_s);
    EXPECT_EQ(server.drehbuch().anfragen(mePfad).size(), 1);
}

TEST_F(AppDelegateTest, ALaterRunOpensNoWindowWhicheverFlagMarksTheSetupDone) {
    for (const auto schluessel : {Einstellungen::Schluessel::setupErledigt,
                                  Einstellungen::Schluessel::onboardingErledigt}) {
        SCOPED_TRACE(Einstellungen::eintrag(schluessel).name.toString().toStdString());
        speicher.entferne(u"setupErledigt"_s);
        speicher.entferne(u"onboardingErledigt"_s);
        einstellungen.setze(schluessel, true);
        TokenSpeicher::setze(u"t"_s, verzeichnis.filePath(u"token"_s));
        server.drehbuch().reiheEin(mePfad, Antwort::json(200, {{u"email"_s, u"a@b.de"_s}}));
        const qsizetype vorher = server.drehbuch().anfragen().size();
        delegate.reset();
        plattform.tasten = std::make_unique<SteuerbareTastenQuelle>();
        starte();
        ASSERT_TRUE(queue.warteBis([&] { return server.drehbuch().anfragen().size() > vorher; }));
        queue.warteBis([] { return false; }, 200ms);
        EXPECT_TRUE(fenster().isEmpty());
    }
}

TEST_F(AppDelegateTest, TheLockKeyStartsAndStopsALockedDictationOnlyWithLockPerTaste) {
    einstellungen.setzeSetupErledigt(true);
    starte();
    const quint64 kombi = Hotkey::command | Hotkey::shift;

    tasten->tippe(tasteL, kombi);
    queue.laufe();
    EXPECT_FALSE(app().coordinator().aktiv());

    einstellungen.setzeLockPerTaste(true);
    tasten->tippe(tasteL, kombi);
    queue.laufe();
    EXPECT_TRUE(app().coordinator().nochAmAufnehmen());
    EXPECT_EQ(app().coordinator().aktuellerModus(), Aufnahmemodus::diktat);
    EXPECT_EQ(fake.aufrufe.anzahl(u"recorder.starte"_s), 1);

    tasten->tippe(tasteL, kombi);
    queue.laufe();
    EXPECT_FALSE(app().coordinator().nochAmAufnehmen());
    EXPECT_EQ(fake.aufrufe.anzahl(u"recorder.stoppe"_s), 1);
}

TEST_F(AppDelegateTest, AChangedHotkeyAppliesWithoutARestart) {
    einstellungen.setzeSetupErledigt(true);
    starte();
    app().fenster();
    ASSERT_TRUE(umfeld.has_value());

    halteModifier(linkeStrg, Hotkey::control);
    EXPECT_TRUE(app().coordinator().nochAmAufnehmen());
    lasseModifierLos(linkeStrg);
    EXPECT_FALSE(app().coordinator().nochAmAufnehmen());
    app().coordinator().abbrechen();

    // What the settings window does once a new hotkey has been recorded.
    einstellungen.setzeDiktatHotkey({rechteOption, 0, true, u"Rechte Wahl"_s});
    umfeld->hotkeys.ladeKonfig();

    halteModifier(linkeStrg, Hotkey::control);
    EXPECT_FALSE(app().coordinator().aktiv());
    lasseModifierLos(linkeStrg);
    halteModifier(rechteOption, Hotkey::option);
    EXPECT_TRUE(app().coordinator().nochAmAufnehmen());
    lasseModifierLos(rechteOption);
}

TEST_F(AppDelegateTest, TheTrayTogglesTheStatusPanelAndItsMenuHoldsEveryPanelAction) {
    einstellungen.setzeSetupErledigt(true);
    starte();
    app().verlauf().hinzufuegen(u"Diktat"_s, u"Erster Text"_s);

    app().togglePanel();
    ASSERT_NE(app().statusPanel(), nullptr);
    EXPECT_TRUE(warteQt([&] { return app().statusPanel()->isVisible(); }));
    EXPECT_EQ(app().statusPanel()->zuletztTexte(), QStringList{u"Erster Text"_s});
    app().togglePanel();
    EXPECT_FALSE(app().statusPanel()->isVisible());

    // Some desktops deliver no left click: the menu opens the panel too.
    QTest::qWait(350);
    const QList<QAction*> aktionen = app().tray().menue().actions();
    const Texte texte(speicher);
    const auto aktion = [&](const QString& text) {
        for (QAction* a : aktionen) {
            if (a->text() == text) {
                return a;
            }
        }
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return static_cast<QAction*>(nullptr);
    };
    aktion(texte.text(u"panel.oeffnen"_s))->trigger();
    EXPECT_TRUE(warteQt([&] { return app().statusPanel()->isVisible(); }));
    app().statusPanel()->hide();

    aktion(texte.text(u"panel.einstellungen"_s))->trigger();
    aktion(texte.text(u"panel.einrichtung"_s))->trigger();
    aktion(texte.text(u"panel.handbuch"_s))->trigger();
    EXPECT_EQ(fenster(), (QStringList{u"fenster.einstellungen"_s, u"fenster.onboarding"_s,
                                      u"fenster.handbuch"_s}));
    aktion(texte.text(u"panel.kopiere"_s).arg(u"Erster Text"_s))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Erster Text"_s);
    aktion(texte.text(u"panel.verlauf"_s))->trigger();
    EXPECT_TRUE(app().glasVerlauf().sichtbar());
    EXPECT_NE(aktion(texte.text(u"panel.beenden"_s)), nullptr);
}

TEST_F(AppDelegateTest, InsertingFromTheHistoryPanelHidesItAndPastes350msLater) {
    einstellungen.setzeSetupErledigt(true);
    starte();
    app().verlauf().hinzufuegen(u"Aktion"_s, u"Zusammenfassung"_s);
    app().zeigeVerlauf();
    GlasVerlaufFenster* fenster = app().glasVerlauf().fenster();
    ASSERT_NE(fenster, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster, 20000));
    VerlaufKarte* karte = fenster->ansicht().karten().front();

    QTest::mouseClick(karte->findChild<SymbolKnopf*>(u"kopieren"_s), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Zusammenfassung"_s);
    EXPECT_TRUE(app().glasVerlauf().sichtbar());

    QTest::mouseClick(karte->findChild<SymbolKnopf*>(u"einfuegen"_s), Qt::LeftButton);
    EXPECT_FALSE(app().glasVerlauf().sichtbar());
    queue.vorspulen(349ms);
    EXPECT_TRUE(fake.aufrufe.mit(u"fuegeEin("_s).isEmpty());
    queue.vorspulen(1ms);
    EXPECT_EQ(fake.aufrufe.mit(u"fuegeEin("_s), QStringList{u"fuegeEin(Zusammenfassung)"_s});
    EXPECT_TRUE(warteQt([&] { return !fenster->isVisible(); }));
    EXPECT_FALSE(app().hud().model().hinweis().has_value());

    // Where nothing can post the paste key, the HUD tells the user to paste by hand.
    app().zeigeVerlauf();
    ASSERT_TRUE(warteQt([&] { return fenster->isVisible(); }));
    fake.desktop.einfuegeErgebnis = TextInserter::Ergebnis::nurKopiert;
    QTest::mouseClick(fenster->ansicht().karten().front()->findChild<SymbolKnopf*>(u"einfuegen"_s),
                      Qt::LeftButton);
    queue.vorspulen(350ms);
    EXPECT_EQ(app().hud().model().hinweis(), Texte(speicher).text(u"einfuegen.nurKopiert"_s));

    // Escape anywhere closes a panel that was opened again.
    app().zeigeVerlauf();
    EXPECT_TRUE(warteQt([&] { return fenster->isVisible(); }));
    fake.esc.druecke();
    EXPECT_TRUE(warteQt([&] { return !fenster->isVisible(); }));
}

// Where Parlix gets no global keys, `parlix --toggle` bound to a desktop shortcut starts and
// stops a dictation.
TEST_F(AppDelegateTest, TheToggleCommandStartsAndStopsADictation) {
    einstellungen.setzeSetupErledigt(true);
    starte();
    app().umschalteDiktat();
    queue.laufe();
    EXPECT_TRUE(app().coordinator().nochAmAufnehmen());
    EXPECT_EQ(app().coordinator().aktuellerModus(), Aufnahmemodus::diktat);
    app().umschalteDiktat();
    queue.laufe();
    EXPECT_FALSE(app().coordinator().nochAmAufnehmen());
    EXPECT_EQ(fake.aufrufe.anzahl(u"recorder.stoppe"_s), 1);
}

} // namespace

} // namespace parlix::test
