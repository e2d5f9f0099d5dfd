// Pasting into real applications on a headless sway (a Qt field, a GTK 3 field, the foot
// terminal), read back from the application, with the user's clipboard held by another
// program and restored afterwards.
#include "app/platform/linux/AblageAuswahlKopierer.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/wayland/VirtuelleTastatur.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/sway/SwayIpc.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QFile>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Art = WaylandAblage::Art;

class WaylandEinfuegenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString();
        ASSERT_TRUE(tastatur_.bereit());
        ASSERT_TRUE(ablage_.bereit());
        // The user's clipboard, owned by another program.
        nutzerAblage_.setze(Art::zwischenablage, u"vom Nutzer kopiert"_s);
    }

    KindProzess& starte(const QString& programm, const QStringList& argumente,
                        const QString& name) {
        KindProzess& prozess = desktop_.starte(programm, argumente);
        EXPECT_TRUE(desktop_.warteAufFokus(name).has_value()) << name.toStdString();
        return prozess;
    }
    bool ablageWiederDesNutzers() {
        return warteQt(
            [&] { return nutzerAblage_.text(Art::zwischenablage) == u"vom Nutzer kopiert"_s; });
    }

    KopflosesWaylandDesktop desktop_;
    WaylandVerbindung nutzer_;
    WaylandAblage nutzerAblage_{nutzer_};
    WaylandVerbindung verbindung_;
    VirtuelleTastatur tastatur_{verbindung_};
    WaylandAblage ablage_{verbindung_};
    SwayIpc ipc_{desktop_.ipcSocket()};
    SwayVordergrundApp vorn_{ipc_};
    QtMainQueue queue_;
    SpeicherDefaultsStore speicher_;
    AblageTextInserter inserter_{queue_, speicher_, vorn_, ablage_, &tastatur_};
};

TEST_F(WaylandEinfuegenTest, QtFeldBekommtDenTextUndDieAblageDenTextDesNutzers) {
    KindProzess& feld = starte(QString::fromUtf8(PARLIX_TESTFELD), {u"QtZiel"_s}, u"QtZiel"_s);
    inserter_.fuegeEin(u"Hallo aus Parlix"_s, {});
    EXPECT_TRUE(hatZeileGedruckt(feld, u"Hallo aus Parlix"_s));
    EXPECT_TRUE(ablageWiederDesNutzers());
}

TEST_F(WaylandEinfuegenTest, GtkFeldBekommtDenTextMitDerTastenbelegungDesNutzers) {
    KindProzess& zenity = starte(u"zenity"_s, {u"--entry"_s, u"--title=GtkZiel"_s}, u"GtkZiel"_s);
    inserter_.fuegeEin(u"Grüße aus GTK"_s, {});
    ASSERT_TRUE(ablageWiederDesNutzers());
    // zenity prints the entry and ends. GTK ignores keys sent with a made-up keymap, so
    // Return comes from a keyboard with a real one.
    ASSERT_TRUE(tastatur_.tippe({false, false, XKB_KEY_Return}));
    EXPECT_TRUE(hatZeileGedruckt(zenity, u"Grüße aus GTK"_s));
}

TEST_F(WaylandEinfuegenTest, TerminalBekommtDenTextUeberSeineEigeneEinfuegeTaste) {
    const QString datei = desktop_.verzeichnis() + u"/terminal.txt"_s;
    starte(u"foot"_s,
           {u"-T"_s, u"FootZiel"_s, u"sh"_s, u"-c"_s,
            u"read zeile; printf '%s' \"$zeile\" > "_s + datei},
           u"FootZiel"_s);
    inserter_.fuegeEin(u"echo im Terminal"_s, {});
    ASSERT_TRUE(ablageWiederDesNutzers());
    ASSERT_TRUE(desktop_.tippe({u"-k"_s, u"Return"_s}));
    QFile ergebnis(datei);
    ASSERT_TRUE(warteQt([&] { return ergebnis.exists() && ergebnis.size() > 0; }));
    ASSERT_TRUE(ergebnis.open(QIODevice::ReadOnly));
    EXPECT_EQ(ergebnis.readAll(), "echo im Terminal");
}

TEST_F(WaylandEinfuegenTest, OhneTastaturBleibtDerTextInDerAblageUndDerNutzerErfaehrtEs) {
    AblageTextInserter ohneTasten(queue_, speicher_, vorn_, ablage_, nullptr);
    std::optional<TextInserter::Ergebnis> ergebnis;
    ohneTasten.fuegeEin(u"von Hand einfügen"_s,
                        [&](TextInserter::Ergebnis ende) { ergebnis = ende; });
    ASSERT_TRUE(warteQt([&] { return ergebnis == TextInserter::Ergebnis::nurKopiert; }));
    warteQt([] { return false; }, 800ms);
    EXPECT_EQ(nutzerAblage_.text(Art::zwischenablage), u"von Hand einfügen"_s);
}

TEST_F(WaylandEinfuegenTest, AuswahlWirdKopiertUndDieAblageBleibtDesNutzers) {
    starte(QString::fromUtf8(PARLIX_TESTFELD),
           {u"Auswahlfeld"_s, u"ganz markiert"_s, u"0"_s, u"4"_s}, u"Auswahlfeld"_s);
    AblageAuswahlKopierer kopierer(vorn_, ablage_, &tastatur_,
                                   AblageAuswahlKopierer::aufDiesemThread());
    EXPECT_EQ(kopierer.auswahlText(), u"ganz"_s);
    EXPECT_TRUE(ablageWiederDesNutzers());
}

} // namespace
} // namespace parlix::test
