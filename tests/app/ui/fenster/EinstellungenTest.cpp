// The settings window driven as a user drives it: mouse clicks and keys on the real
// widgets, the results read back from the settings store.
#include "core/settings/Einstellungen.hpp"

#include "app/ui/fenster/SettingsFenster.hpp"
#include "app/ui/fenster/bausteine/HUDVorschau.hpp"
#include "app/ui/fenster/bausteine/HotkeyZeile.hpp"
#include "app/ui/fenster/bausteine/Schalter.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "tests/app/ui/fenster/FensterTestBasis.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

using Kategorie = SettingsFenster::Kategorie;

class EinstellungenTest : public FensterTestBasis {
protected:
    QWidget* seite(Kategorie kategorie) {
        controller().zeigeEinstellungen();
        SettingsFenster* fenster = controller().settingsFenster();
        fenster->waehle(kategorie);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(fenster));
        return fenster->seite(kategorie);
    }

    // The control of a pane named so for screen readers: by its accessible name or, for a
    // button, by its text.
    template <class T> static T* namens(QWidget* seite, const QString& name) {
        for (T* kandidat : seite->findChildren<T*>()) {
            const QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(kandidat);
            if (kandidat->accessibleName() == name ||
                (zugang != nullptr && zugang->text(QAccessible::Name) == name)) {
                return kandidat;
            }
        }
        ADD_FAILURE() << "no control named " << name.toStdString();
        return nullptr;
    }

    // Whether a label next to the control shows the text.
    static bool zeigt(QWidget* steuerung, const QString& text) {
        const auto labels = steuerung->parentWidget()->findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(),
                           [&](const QLabel* label) { return label->text() == text; });
    }

    // Opens the menu and picks the entry with the keyboard, as a user does.
    static void waehle(QComboBox* menue, int index) {
        menue->showPopup();
        QAbstractItemView* liste = menue->view();
        liste->setCurrentIndex(liste->model()->index(index, 0));
        QTest::keyClick(liste, Qt::Key_Return);
    }

    Einstellungen einstellungen() { return Einstellungen(speicher); }
};

TEST_F(EinstellungenTest, TheVolumeSliderNamesItsEndsAndStoresWholeSteps) {
    auto* regler = namens<QSlider>(seite(Kategorie::verhalten), text(u"verhalten.lautstaerke"_s));
    ASSERT_NE(regler, nullptr);
    regler->setFocus();

    QTest::keyClick(regler, Qt::Key_End);
    EXPECT_EQ(einstellungen().aufnahmeLautstaerke(), 100);
    EXPECT_TRUE(zeigt(regler, text(u"verhalten.lautstaerke.unveraendert"_s)));

    QTest::keyClick(regler, Qt::Key_Home);
    EXPECT_EQ(einstellungen().aufnahmeLautstaerke(), 0);
    EXPECT_TRUE(zeigt(regler, text(u"verhalten.lautstaerke.stumm"_s)));

    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(regler, Qt::Key_Right);
    }
    EXPECT_EQ(einstellungen().aufnahmeLautstaerke(), 35);
    EXPECT_TRUE(zeigt(regler, u"35 %"_s));
    // A drag passes values between the steps; only whole steps are kept.
    regler->setValue(43);
    EXPECT_EQ(regler->value(), 45);
    EXPECT_EQ(einstellungen().aufnahmeLautstaerke(), 45);
}

TEST_F(EinstellungenTest, SwitchingTheDelayOffKeepsItsMilliseconds) {
    QWidget* verhalten = seite(Kategorie::verhalten);
    auto* regler = namens<QSlider>(verhalten, text(u"verhalten.verzoeg.dauer"_s));
    auto* schalter = namens<Schalter>(verhalten, text(u"verhalten.verzoeg.an"_s));
    ASSERT_TRUE(regler && schalter);
    ASSERT_TRUE(schalter->isChecked());

    regler->setFocus();
    QTest::keyClick(regler, Qt::Key_Home);
    EXPECT_EQ(einstellungen().startVerzoegerungMs(), 0);
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(regler, Qt::Key_Right);
    }
    EXPECT_EQ(einstellungen().startVerzoegerungMs(), 800);
    EXPECT_TRUE(zeigt(regler, text(u"verhalten.verzoeg.ms"_s).arg(800)));

    QTest::mouseClick(schalter, Qt::LeftButton);
    EXPECT_FALSE(einstellungen().startVerzoegerungAktiv());
    EXPECT_EQ(einstellungen().startVerzoegerungMs(), 800);
    EXPECT_EQ(einstellungen().startVerzoegerungSek(), 0.0);
    EXPECT_FALSE(regler->isEnabled());

    schalter->setFocus();
    QTest::keyClick(schalter, Qt::Key_Space);
    EXPECT_DOUBLE_EQ(einstellungen().startVerzoegerungSek(), 0.8);
}

TEST_F(EinstellungenTest, OnlyADifferentInterfaceLanguageAsksToRestart) {
    auto* menue = namens<QComboBox>(seite(Kategorie::sprache), text(u"lang.app"_s));
    ASSERT_NE(menue, nullptr);
    ASSERT_EQ(menue->currentData().toString(), u"de"_s);

    waehle(menue, menue->currentIndex());
    EXPECT_EQ(aufrufe.anzahl(u"frageNeustart"_s), 0);

    waehle(menue, menue->findData(u"fr"_s));
    EXPECT_EQ(einstellungen().uiSprache(), u"fr"_s);
    EXPECT_EQ(aufrufe.anzahl(u"frageNeustart"_s), 1);
    // The running program keeps its language until the restart.
    EXPECT_EQ(text(u"setup.weiter"_s), u"Weiter"_s);
}

TEST_F(EinstellungenTest, AHostedServiceInClearIsRefusedAndAChangedOneAsksToRestart) {
    QWidget* konto = seite(Kategorie::konto);
    auto* lokal = namens<QPushButton>(konto, text(u"backend.lokal"_s));
    auto* gehostet = namens<QPushButton>(konto, text(u"backend.gehostet"_s));
    auto* adresse = namens<QLineEdit>(konto, text(u"backend.gehostet"_s));
    auto* uebernehmen = namens<QPushButton>(konto, text(u"backend.uebernehmen"_s));
    ASSERT_TRUE(lokal && gehostet && adresse && uebernehmen);
    EXPECT_TRUE(lokal->isChecked());
    EXPECT_FALSE(adresse->isEnabled());

    QTest::mouseClick(gehostet, Qt::LeftButton);
    ASSERT_TRUE(adresse->isEnabled());
    QTest::keyClicks(adresse, u"http://192.168.1.10:8000"_s);
    QTest::mouseClick(uebernehmen, Qt::LeftButton);
    const auto fehler = konto->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(fehler.begin(), fehler.end(), [&](const QLabel* label) {
        return label->isVisible() && label->text() == text(u"backend.fehler.klartext"_s);
    }));
    EXPECT_FALSE(speicher.enthaelt(u"backendArt"_s));
    EXPECT_EQ(aufrufe.anzahl(u"frageNeustart"_s), 0);

    adresse->clear();
    QTest::keyClicks(adresse, u"https://backend.example.org"_s);
    QTest::keyClick(adresse, Qt::Key_Return);
    EXPECT_EQ(speicher.text(u"backendArt"_s), u"gehostet"_s);
    EXPECT_EQ(speicher.text(u"backendURL"_s), u"https://backend.example.org"_s);
    EXPECT_EQ(aufrufe.anzahl(u"backend.neustart"_s), 1);
    // Nothing changed: no question.
    QTest::mouseClick(uebernehmen, Qt::LeftButton);
    EXPECT_EQ(aufrufe.anzahl(u"frageNeustart"_s), 1);
}

TEST_F(EinstellungenTest, ANewCommandIsStoredWithEmptyTriggersAndNeverMatches) {
    const QList<Befehl> vorher = einstellungen().befehle();
    QWidget* befehle = seite(Kategorie::befehle);

    QTest::mouseClick(knopf(befehle, text(u"befehle.hinzufuegen"_s)), Qt::LeftButton);
    QList<Befehl> nachher = einstellungen().befehle();
    ASSERT_EQ(nachher.size(), vorher.size() + 1);
    EXPECT_EQ(nachher.mid(0, vorher.size()), vorher);
    const Befehl neu = nachher.last();
    EXPECT_EQ(neu.name, text(u"befehle.neuer"_s));
    EXPECT_TRUE(neu.ausloeser.isEmpty() && neu.prompt.isEmpty());
    EXPECT_FALSE(neu.direktEinfuegen);
    EXPECT_FALSE(neu.id.isNull());
    for (const QString& gesagt : {QString(), u" "_s, neu.name, u"mach daraus einen Tweet"_s}) {
        EXPECT_FALSE(neu.passt(gesagt)) << gesagt.toStdString();
    }

    // The new name is ready for typing; every keystroke writes the whole list.
    auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, u"Tweet"_s);
    nachher = einstellungen().befehle();
    EXPECT_EQ(nachher.last().name, u"Tweet"_s);
    EXPECT_EQ(nachher.mid(0, vorher.size()), vorher);

    QList<QAbstractButton*> loeschen;
    for (QAbstractButton* kandidat : befehle->findChildren<QAbstractButton*>()) {
        if (kandidat->text() == text(u"befehle.loeschen"_s) && kandidat->isVisibleTo(befehle)) {
            loeschen.append(kandidat);
        }
    }
    ASSERT_EQ(loeschen.size(), nachher.size());
    QTest::mouseClick(loeschen.last(), Qt::LeftButton);
    EXPECT_EQ(einstellungen().befehle(), vorher);
}

TEST_F(EinstellungenTest, ARecordedHotkeyIsStoredShownAndUsedAtOnce) {
    int starts = 0;
    manager[0]->beiStart = [&] { ++starts; };
    manager[0]->ladeKonfig();
    const auto zeilen = seite(Kategorie::tasten)->findChildren<HotkeyZeile*>();
    ASSERT_FALSE(zeilen.isEmpty());
    HotkeyZeile* diktat = zeilen.first();
    const LogMitschnitt log;

    QTest::mouseClick(diktat->knopf(), Qt::LeftButton);
    EXPECT_TRUE(tasten.leitetUm());
    EXPECT_EQ(diktat->taste()->text(), text(u"tasten.druecke"_s));
    // Right Alt pressed and released alone.
    tasten.druecke(Ereignistyp::flagsGeaendert, 61, Hotkey::option);
    tasten.druecke(Ereignistyp::flagsGeaendert, 61, 0);

    const Hotkey rechteAlt{61, 0, true, u"Rechte Alt"_s};
    EXPECT_FALSE(tasten.leitetUm());
    EXPECT_EQ(einstellungen().diktatHotkey(), rechteAlt);
    // Stored and logged with its German name, shown with the key's label in the language.
    EXPECT_EQ(diktat->taste()->text(), text(u"taste.altRechts"_s));
    EXPECT_TRUE(log.enthaelt(u"Neuer Hotkey: Rechte Alt"_s));
    EXPECT_EQ(manager[0]->hotkey(), rechteAlt);

    // The old key starts nothing; the new one starts a dictation after the start delay.
    manager[0]->verarbeite(Ereignistyp::flagsGeaendert, 59, Hotkey::control);
    tastenQueue.vorspulen(std::chrono::seconds(1));
    EXPECT_EQ(starts, 0);
    manager[0]->verarbeite(Ereignistyp::flagsGeaendert, 61, Hotkey::option);
    tastenQueue.vorspulen(std::chrono::milliseconds(600));
    EXPECT_EQ(starts, 1);
}

TEST_F(EinstellungenTest, EscapeOrClosingTheWindowEndsARecordingWithoutAChange) {
    const auto zeilen = seite(Kategorie::tasten)->findChildren<HotkeyZeile*>();
    ASSERT_GE(zeilen.size(), 3);

    QTest::mouseClick(zeilen[1]->knopf(), Qt::LeftButton);
    tasten.druecke(Ereignistyp::tasteRunter, 53, 0);
    EXPECT_FALSE(tasten.leitetUm());
    EXPECT_EQ(zeilen[1]->taste()->text(), text(u"taste.strgRechts"_s));
    EXPECT_FALSE(speicher.enthaelt(u"aktionHotkey"_s));

    QTest::mouseClick(zeilen[2]->knopf(), Qt::LeftButton);
    controller().settingsFenster()->close();
    EXPECT_EQ(aufrufe.anzahl(u"beendeUmleitung"_s), 1);
    EXPECT_FALSE(tasten.leitetUm());
    EXPECT_FALSE(controller().settingsModel().nimmtAuf(SettingsModel::Hotkeyart::prompt));
    EXPECT_FALSE(speicher.enthaelt(u"promptHotkey"_s));
}

TEST_F(EinstellungenTest, TheMicrophoneMenuOffersTheSystemDefaultFirstAndKeepsAnUnpluggedOne) {
    mikrofone.mikrofone = {{u"alsa_input.eingebaut"_s, u"Eingebautes Mikrofon"_s},
                           {u"alsa_input.usb"_s, u"USB-Headset"_s}};
    speicher.setzeText(u"mikrofonUID"_s, u"alsa_input.abgesteckt"_s);
    auto* menue = namens<QComboBox>(seite(Kategorie::mikrofon), text(u"mic.picker"_s));
    ASSERT_NE(menue, nullptr);

    QStringList eintraege;
    for (int i = 0; i < menue->count(); ++i) {
        eintraege.append(menue->itemText(i));
    }
    EXPECT_EQ(eintraege,
              (QStringList{text(u"mic.system"_s), u"Eingebautes Mikrofon"_s, u"USB-Headset"_s,
                           text(u"mic.nichtVerbunden"_s).arg(u"alsa_input.abgesteckt"_s)}));
    EXPECT_EQ(menue->currentIndex(), 3);
    EXPECT_EQ(einstellungen().mikrofonUID(), u"alsa_input.abgesteckt"_s);

    waehle(menue, 2);
    EXPECT_EQ(einstellungen().mikrofonUID(), u"alsa_input.usb"_s);
    waehle(menue, 0);
    EXPECT_EQ(einstellungen().mikrofonUID(), QString());
}

TEST_F(EinstellungenTest, SwitchesStyleAndSizeWriteAtOnceAndThePreviewFollows) {
    QWidget* verhalten = seite(Kategorie::verhalten);
    auto* clip = namens<Schalter>(verhalten, text(u"verhalten.clip"_s));
    clip->setFocus();
    QTest::keyClick(clip, Qt::Key_Space);
    EXPECT_TRUE(einstellungen().zwischenablageModus());
    // The autostart switch shows the entry's real state: a write that failed leaves it off.
    auto* autostart = namens<Schalter>(verhalten, text(u"verhalten.autostart"_s));
    autostartSchaltbar = false;
    QTest::mouseClick(autostart, Qt::LeftButton);
    EXPECT_FALSE(autostart->isChecked());
    autostartSchaltbar = true;
    QTest::mouseClick(autostart, Qt::LeftButton);
    EXPECT_TRUE(autostart->isChecked());
    EXPECT_EQ(aufrufe.mit(u"autostart"_s), (QStringList{u"autostart(1)"_s, u"autostart(1)"_s}));
    QTest::mouseClick(knopf(verhalten, text(u"update.suchen"_s)), Qt::LeftButton);
    EXPECT_EQ(aufrufe.anzahl(u"pruefeUpdate"_s), 1);
    EXPECT_TRUE(zeigt(knopf(verhalten, text(u"update.suchen"_s)),
                      text(u"update.version"_s).arg(u"1.2.3"_s)));

    QWidget* hud = seite(Kategorie::hud);
    auto* vorschau = hud->findChild<HUDVorschau*>();
    ASSERT_NE(vorschau, nullptr);
    waehle(namens<QComboBox>(hud, text(u"hud.stil"_s)), 3);
    EXPECT_EQ(einstellungen().hudStil(), HUDStil::alle()[3].rohwert.toString());
    EXPECT_EQ(vorschau->moment().stil, HUDStil::alle()[3]);
    auto* groesse = namens<QSlider>(hud, text(u"hud.groesse"_s));
    groesse->setFocus();
    QTest::keyClick(groesse, Qt::Key_End);
    EXPECT_DOUBLE_EQ(einstellungen().hudGroesse(), 1.6);
    EXPECT_DOUBLE_EQ(vorschau->groesse(), 1.6);
}

TEST_F(EinstellungenTest, EveryControlHasAScreenReaderNameAndTabReachesIt) {
    seite(Kategorie::tasten);
    SettingsFenster* fenster = controller().settingsFenster();
    auto* leiste = fenster->findChild<QListWidget*>(u"seitenleiste"_s);
    ASSERT_NE(leiste, nullptr);
    leiste->setFocus();
    QTest::keyClick(leiste, Qt::Key_Down);
    EXPECT_EQ(fenster->auswahl(), Kategorie::mikrofon);

    auto* doppeltipp = knopf(fenster->seite(Kategorie::tasten), text(u"lock.doppeltipp"_s));
    doppeltipp->setFocus();
    QTest::keyClick(doppeltipp, Qt::Key_Right);
    EXPECT_TRUE(Einstellungen(speicher).lockPerTaste());
    EXPECT_EQ(aufrufe.anzahl(u"hotkeysGeaendert"_s), 1);

    for (int nummer = 0; nummer < SettingsFenster::anzahlKategorien; ++nummer) {
        const auto kategorie = static_cast<Kategorie>(nummer);
        fenster->waehle(kategorie);
        QSet<QWidget*> steuerungen;
        for (QWidget* w : fenster->seite(kategorie)->findChildren<QWidget*>()) {
            if (w->isVisibleTo(fenster) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                steuerungen.insert(w);
                // A value (a menu's current entry) is no name: a button says its text,
                // every other control needs a name of its own.
                const auto* knopf = qobject_cast<QAbstractButton*>(w);
                const QString name = w->accessibleName().isEmpty() && knopf != nullptr
                                         ? knopf->text()
                                         : w->accessibleName();
                EXPECT_FALSE(name.trimmed().isEmpty())
                    << "pane " << nummer << ": " << w->metaObject()->className();
            }
        }
        EXPECT_FALSE(steuerungen.isEmpty()) << "pane " << nummer;
        // A segmented choice is one stop for Tab, like a radio group; the arrow keys move
        // the choice within it.
        for (QWidget* w : QSet<QWidget*>(steuerungen)) {
            const auto* knopf = qobject_cast<QAbstractButton*>(w);
            if (w->objectName() == u"segment"_s && !knopf->isChecked()) {
                steuerungen.remove(w);
            }
        }
        // From the sidebar, Tab visits every control of the pane and comes back.
        leiste->setFocus();
        for (int schritt = 0; schritt < 200; ++schritt) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            steuerungen.remove(QApplication::focusWidget());
            if (QApplication::focusWidget() == leiste) {
                break;
            }
        }
        for (QWidget* w : steuerungen) {
            ADD_FAILURE() << "pane " << nummer << ": " << w->metaObject()->className() << " "
                          << w->accessibleName().toStdString() << " not reached by Tab";
        }
    }
}

TEST_F(EinstellungenTest, TheModelWritesEachChangeAtOnceAndNothingWhileLoading) {
    SettingsModel& model = controller().settingsModel();
    model.lade();
    EXPECT_EQ(speicher.objekt(u"aufnahmeLautstaerke"_s), std::nullopt);
    EXPECT_EQ(speicher.objekt(u"hudFarbe"_s), std::nullopt);

    model.setze(SettingsModel::Schluessel::aufnahmeLautstaerke, 37.9);
    EXPECT_EQ(einstellungen().aufnahmeLautstaerke(), 37);
    model.setze(SettingsModel::Schluessel::startVerzoegerungMs, 2000.0);
    EXPECT_EQ(einstellungen().startVerzoegerungMs(), 1500);
    model.setzeHudFarbe(QColor::fromRgbF(0.5f, 0.25f, 1.0f));
    EXPECT_EQ(einstellungen().hudFarbe(), u"#8040FF"_s);
}

} // namespace
} // namespace parlix::test
