// Parlix's Wayland assembly on the real GNOME Shell 43 (Mutter 43) with the real
// xdg-desktop-portal and its GNOME backend, all headless and private to this program:
// what each service takes there, a dictation pasted into a GTK field with the user's
// clipboard given back, and the focused application seen past the Shell's own window.
#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiDienste.hpp"
#include "app/platform/wayland/FernAblage.hpp"
#include "app/platform/wayland/WaylandPlattform.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/QtWarten.hpp"
#include "tests/support/gnome/KopflosesGnomeDesktop.hpp"

#include <QElapsedTimer>
#include <future>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Art = Ablage::Art;

// One desktop for the whole program: Qt and the accessibility library bind to the
// session bus they meet first.
KopflosesGnomeDesktop* gnome = nullptr;

class GnomeUmgebung : public ::testing::Environment {
public:
    void SetUp() override {
        desktop_ = std::make_unique<KopflosesGnomeDesktop>(
            KopflosesGnomeDesktop::Optionen{.shell = true, .portale = true});
        gnome = desktop_.get();
        std::printf("GNOME Shell test desktop: compositor after %lld ms, ready after %lld ms\n",
                    static_cast<long long>(desktop_->compositorNach().count()),
                    static_cast<long long>(desktop_->bereitNach().count()));
    }
    void TearDown() override {
        gnome = nullptr;
        desktop_.reset();
    }

private:
    std::unique_ptr<KopflosesGnomeDesktop> desktop_;
};

const auto* const kUmgebung = ::testing::AddGlobalTestEnvironment(new GnomeUmgebung);

class GnomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gnome->laeuft()) << gnome->fehler().toStdString();
        WaylandPlattform::bestuecke(p_, speicher_, queue_,
                                    [this] { return AtspiDienste::erstelle(queue_); });
    }

    // The focused application as Parlix sees it, once it is `name`.
    bool vorn(const QString& name) {
        return warteQt([&] { return p_.vordergrund->anwendungsID() == name; }, 20s);
    }

    // What `frage` answers on a thread of its own, while this one serves the main thread's
    // work it waits for.
    template <class F> static auto nebenher(F frage) {
        auto antwort = std::async(std::launch::async, std::move(frage));
        warteQt([&] { return antwort.wait_for(0s) == std::future_status::ready; }, 10s);
        return antwort.get();
    }
    QString feldText() {
        return nebenher([this] { return p_.axKontext->text(); });
    }
    // The user's clipboard as another program reads it: Mutter asks Parlix for its content
    // on this thread.
    static bool ablageDesNutzers() {
        return warteQt(
            [] {
                return nebenher([] { return gnome->nutzerAblage().text(Art::zwischenablage); }) ==
                       u"vom Nutzer kopiert"_s;
            },
            5s);
    }

    LogMitschnitt log_;
    SpeicherDefaultsStore speicher_;
    QtMainQueue queue_;
    Plattform p_;
};

TEST_F(GnomeTest, JederDienstNimmtDenWegDenGnome43BietetUndDasLogSagtWelchen) {
    // GNOME 43 has no data-control; its RemoteDesktop portal has no clipboard and asks at
    // every start, so the paste goes through Mutter's own session, without a dialog.
    EXPECT_TRUE(log_.enthaelt(u"Wayland: Einfügen über Zwischenablage und Tasten von Mutters "
                              u"eigener RemoteDesktop-Schnittstelle (GNOME, ohne Rückfrage; ab "
                              u"GNOME 45 böte das RemoteDesktop-Portal dasselbe mit einer "
                              u"Rückfrage)"_s))
        << log_.zeilen().join(u'\n').toStdString();
    // No GlobalShortcuts portal before GNOME 48: the user binds the toggle command.
    EXPECT_TRUE(log_.enthaelt(u"Wayland: keine globalen Tasten auf diesem Desktop (kein "
                              u"sway-IPC, kein GlobalShortcuts-Portal); den Befehl „parlix "
                              u"--toggle“ in den Tastenkürzeln des Desktops binden"_s));
    // The Screenshot portal shows the whole screen: never sent as the window's photo.
    EXPECT_FALSE(p_.fensterFoto);
    EXPECT_TRUE(log_.enthaelt(u"Wayland: kein Fensterfoto (das Screenshot-Portal zeigt den ganzen "
                              u"Bildschirm, der Ort des Fensters ist unbekannt); Texterkennung "
                              u"und Bildmodell arbeiten ohne Foto"_s));
    // No layer-shell, and this Shell runs without X11.
    EXPECT_TRUE(log_.enthaelt(u"Wayland: HUD und Live-Box nicht gezeigt (weder layer-shell noch "
                              u"XWayland): als gewöhnliche Fenster nähmen sie dem Feld des "
                              u"Nutzers den Fokus"_s));
    ASSERT_TRUE(p_.inserter && p_.auswahl && p_.kopierablage && p_.desktop && p_.ueberlagerung);
    EXPECT_FALSE(p_.desktop->istWayland());
    EXPECT_FALSE(p_.desktop->tastenUndEingabe());
    EXPECT_EQ(p_.desktop->tastenHinweis(), u"onb.tasten.gnome"_s);
    EXPECT_EQ(p_.desktop->aufnahmeHinweis(), u"onb.bildschirm.wayland"_s);
    EXPECT_FALSE(p_.desktop->fensterAufnahme());
}

TEST_F(GnomeTest, DiktatLandetImGtkFeldUndDieAblageGehoertWiederDemNutzer) {
    ASSERT_TRUE(gnome->nutzerAblage().setze(Art::zwischenablage, u"vom Nutzer kopiert"_s));
    KindProzess& zenity = gnome->starte(u"zenity"_s, {u"--entry"_s, u"--title=GtkZiel"_s});
    ASSERT_TRUE(gnome->warteAufFokus(u"zenity"_s));
    // The Shell reports a focused window of its own as well; the field's program wins.
    ASSERT_TRUE(vorn(u"zenity"_s));

    QElapsedTimer uhr;
    uhr.start();
    std::optional<qint64> tasteNach;
    p_.inserter->fuegeEin(u"Grüße aus GNOME"_s, [&](TextInserter::Ergebnis ergebnis) {
        EXPECT_EQ(ergebnis, TextInserter::Ergebnis::eingefuegt);
        tasteNach = uhr.elapsed();
    });
    ASSERT_TRUE(warteQt([&] { return feldText() == u"Grüße aus GNOME"_s; }, 5s))
        << feldText().toStdString();
    ASSERT_TRUE(tasteNach);
    std::printf("GNOME: paste keystroke posted %lld ms after fuegeEin\n",
                static_cast<long long>(*tasteNach));
    EXPECT_TRUE(ablageDesNutzers());
    // zenity prints the field's text when the user presses Return.
    ASSERT_TRUE(gnome->tippe(XKB_KEY_Return));
    EXPECT_TRUE(hatZeileGedruckt(zenity, u"Grüße aus GNOME"_s));
}

TEST_F(GnomeTest, AuswahlWirdUeberDieAblageKopiertUndDieAblageBleibtDesNutzers) {
    ASSERT_TRUE(gnome->nutzerAblage().setze(Art::zwischenablage, u"vom Nutzer kopiert"_s));
    gnome->starte(QString::fromUtf8(PARLIX_TESTFELD),
                  {u"Auswahlfeld"_s, u"ganz markiert"_s, u"0"_s, u"4"_s});
    ASSERT_TRUE(vorn(u"parlix_testfeld"_s));
    EXPECT_EQ(nebenher([this] { return p_.auswahl->auswahlText(); }), u"ganz"_s);
    EXPECT_TRUE(ablageDesNutzers());
}

// Mutter alone, the cheaper desktop where the Shell's behaviour is not needed, started
// beside the Shell of this program: its own buses, a held keyboard and a clipboard.
TEST(GnomeMutterTest, MutterAlleinStartetMitGehaltenerTastaturUndEigenerAblage) {
    KopflosesGnomeDesktop mutter({});
    ASSERT_TRUE(mutter.laeuft()) << mutter.fehler().toStdString();
    std::printf("Mutter test desktop: compositor after %lld ms, ready after %lld ms\n",
                static_cast<long long>(mutter.compositorNach().count()),
                static_cast<long long>(mutter.bereitNach().count()));
    EXPECT_LT(mutter.bereitNach(), 10s);
    ASSERT_TRUE(mutter.nutzerAblage().setze(Art::zwischenablage, u"nur in Mutter"_s));
    EXPECT_TRUE(mutter.tippe(XKB_KEY_a));
}

} // namespace
} // namespace parlix::test
