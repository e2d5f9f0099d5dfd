// First-run setup and the permission window, driven through their buttons.
#include "app/ui/fenster/HandbuchFenster.hpp"
#include "app/ui/fenster/OnboardingFenster.hpp"
#include "app/ui/fenster/SetupFenster.hpp"
#include "app/ui/fenster/bausteine/RechteZeile.hpp"
#include "app/ui/fenster/bausteine/Segmente.hpp"
#include "app/ui/fenster/seiten/AnbieterSeite.hpp"
#include "core/settings/Einstellungen.hpp"
#include "tests/app/ui/fenster/FensterTestBasis.hpp"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

class SetupTest : public FensterTestBasis {
protected:
    SetupFenster* setup() {
        controller().zeigeSetup();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(controller().setupFenster()));
        return controller().setupFenster();
    }

    OnboardingFenster* onboarding() {
        controller().zeigeOnboarding();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(controller().onboardingFenster()));
        return controller().onboardingFenster();
    }

    // The rows of a window, in the order mikro, bedienung, bildschirm.
    static QList<RechteZeile*> zeilen(QWidget* fenster) {
        QList<RechteZeile*> sichtbar;
        for (RechteZeile* zeile : fenster->findChildren<RechteZeile*>()) {
            if (zeile->isVisibleTo(fenster)) {
                sichtbar.append(zeile);
            }
        }
        return sichtbar;
    }

    bool hatText(QWidget* fenster, const QString& gesucht) {
        const auto labels = fenster->findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(), [&](QLabel* label) {
            return label->isVisibleTo(fenster) && label->text() == gesucht;
        });
    }
};

TEST_F(SetupTest, LanguageFirstWithoutBackTheTextsSwitchAtOnceAndGetStartedFinishes) {
    SetupFenster* fenster = setup();
    EXPECT_FALSE(fenster->zurueck()->isVisible());
    EXPECT_EQ(fenster->weiter()->text(), u"Weiter"_s);
    EXPECT_TRUE(hatText(fenster, text(u"setup.sprache.titel"_s)));

    // English, the second language.
    QTest::mouseClick(fenster->sprachKnoepfe().at(1), Qt::LeftButton);
    EXPECT_EQ(Einstellungen(speicher).uiSprache(), u"en"_s);
    EXPECT_EQ(fenster->weiter()->text(), u"Continue"_s);
    EXPECT_TRUE(hatText(fenster, u"Choose your language"_s));
    EXPECT_TRUE(fenster->sprachKnoepfe().at(1)->isChecked());

    QTest::mouseClick(fenster->weiter(), Qt::LeftButton);
    EXPECT_TRUE(fenster->zurueck()->isVisible());
    EXPECT_EQ(fenster->zurueck()->text(), u"Back"_s);
    EXPECT_EQ(zeilen(fenster).size(), 3);
    // The providers: skippable while none is set up, then "Continue".
    QTest::mouseClick(fenster->weiter(), Qt::LeftButton);
    EXPECT_TRUE(hatText(fenster, u"Speech and language"_s));
    EXPECT_TRUE(fenster->anbieterSeite()->isVisible());
    // The keyboard is on the first choice of the step, not on the button that led here.
    EXPECT_EQ(QApplication::focusWidget(),
              fenster->anbieterSeite()->vorlage(AnbieterEinstellungen::Rolle::transkription));
    EXPECT_EQ(fenster->weiter()->text(), u"Skip"_s);
    anbieter.waehleVorlage(AnbieterEinstellungen::Rolle::transkription, u"mistral"_s);
    EXPECT_EQ(fenster->weiter()->text(), u"Continue"_s);
    QTest::mouseClick(fenster->weiter(), Qt::LeftButton);
    EXPECT_EQ(fenster->weiter()->text(), text(u"login.loslegen"_s));
    EXPECT_EQ(fenster->weiter()->text(), u"Get started"_s);
    // Parlix's own service needs no account; a hosted one asks the user to sign in.
    EXPECT_TRUE(hatText(fenster, text(u"setup.konto.lokal"_s)));
    EXPECT_FALSE(hatText(fenster, text(u"login.unter"_s)));
    fenster->dienst()->findChildren<Segmente*>().at(0)->waehle(1);
    QTest::mouseClick(knopf(fenster->dienst(), text(u"backend.uebernehmen"_s)), Qt::LeftButton);
    EXPECT_EQ(speicher.text(u"backendArt"_s), u"gehostet"_s);
    EXPECT_TRUE(hatText(fenster, text(u"login.unter"_s)));
    EXPECT_FALSE(Einstellungen(speicher).setupErledigt());

    QTest::mouseClick(fenster->weiter(), Qt::LeftButton);
    EXPECT_TRUE(Einstellungen(speicher).setupErledigt());
    EXPECT_TRUE(Einstellungen(speicher).onboardingErledigt());
    EXPECT_FALSE(fenster->isVisible());

    // Back again is the same window, at its step.
    controller().zeigeSetup();
    EXPECT_EQ(controller().setupFenster(), fenster);
}

TEST_F(SetupTest, TheOnboardingButtonSaysLaterWhileAGrantIsMissingAndStillMarksItDone) {
    bus.an = false;
    OnboardingFenster* fenster = onboarding();
    EXPECT_EQ(fenster->schliessen()->text(), text(u"onb.spaeter"_s));
    const QList<RechteZeile*> rechte = zeilen(fenster);
    ASSERT_EQ(rechte.size(), 3);
    EXPECT_TRUE(rechte[0]->erteilt());
    EXPECT_FALSE(rechte[1]->erteilt());
    EXPECT_TRUE(rechte[2]->erteilt());
    EXPECT_FALSE(rechte[0]->aktion()->isVisible());

    QTest::mouseClick(fenster->schliessen(), Qt::LeftButton);
    EXPECT_TRUE(Einstellungen(speicher).onboardingErledigt());
    EXPECT_FALSE(Einstellungen(speicher).setupErledigt());
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(SetupTest, EachMissingGrantOffersWhatWorksOnThisDesktop) {
    mikrofone.erreichbar = false;
    bus.an = false;
    OnboardingFenster* fenster = onboarding();
    const QList<RechteZeile*> rechte = zeilen(fenster);
    ASSERT_EQ(rechte.size(), 3);

    // The accessibility bus is switched on from the row; earlier programs need a restart.
    EXPECT_EQ(rechte[1]->aktion()->text(), text(u"onb.busEinschalten"_s));
    QTest::mouseClick(rechte[1]->aktion(), Qt::LeftButton);
    EXPECT_EQ(aufrufe.anzahl(u"schalteEin"_s), 1);
    EXPECT_TRUE(rechte[1]->erteilt());
    EXPECT_EQ(rechte[1]->hinweis()->text(), text(u"onb.bedienung.neustart"_s));

    // The microphone row opens the sound settings, or says that there are none.
    mikrofone.toneinstellungenDa = false;
    QTest::mouseClick(rechte[0]->aktion(), Qt::LeftButton);
    EXPECT_EQ(aufrufe.anzahl(u"oeffneToneinstellungen"_s), 1);
    EXPECT_EQ(rechte[0]->hinweis()->text(), text(u"onb.mikro.keinProgramm"_s));
    EXPECT_EQ(fenster->schliessen()->text(), text(u"onb.spaeter"_s));

    // A grant given meanwhile shows when the window is shown again.
    mikrofone.erreichbar = true;
    fenster->close();
    controller().zeigeOnboarding();
    EXPECT_TRUE(rechte[0]->erteilt());
    EXPECT_EQ(fenster->schliessen()->text(), text(u"onb.fertig"_s));
}

TEST_F(SetupTest, OnWaylandTheRowsSayWhyInsteadOfOfferingAnAction) {
    desktop.wayland = true;
    OnboardingFenster* fenster = onboarding();
    const QList<RechteZeile*> rechte = zeilen(fenster);
    ASSERT_EQ(rechte.size(), 3);
    for (RechteZeile* zeile : {rechte[1], rechte[2]}) {
        EXPECT_FALSE(zeile->erteilt());
        EXPECT_FALSE(zeile->aktion()->isVisible());
        EXPECT_EQ(zeile->hinweis()->text(), text(u"onb.wayland"_s));
    }
    // GNOME: keystrokes and photos work, only global keys are missing, and the row says
    // where to bind the toggle command.
    desktop.wayland = false;
    desktop.eingabe = false;
    desktop.hinweis = u"onb.tasten.gnome"_s;
    fenster->close();
    controller().zeigeOnboarding();
    EXPECT_FALSE(rechte[1]->erteilt());
    EXPECT_FALSE(rechte[1]->aktion()->isVisible());
    EXPECT_EQ(rechte[1]->hinweis()->text(), text(u"onb.tasten.gnome"_s));
    EXPECT_TRUE(rechte[2]->erteilt());
}

TEST_F(SetupTest, EachWindowIsBuiltOnceCentredAndBroughtToTheFront) {
    controller().zeigeHandbuch();
    controller().zeigeOnboarding();
    OnboardingFenster* fenster = controller().onboardingFenster();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
    const QPoint mitte = fenster->screen()->availableGeometry().center();
    EXPECT_LE((fenster->frameGeometry().center() - mitte).manhattanLength(), 40);

    controller().zeigeHandbuch();
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller().handbuchFenster()));
    controller().zeigeOnboarding();
    EXPECT_EQ(controller().onboardingFenster(), fenster);
    EXPECT_TRUE(QTest::qWaitForWindowActive(fenster));
}

} // namespace
} // namespace parlix::test
