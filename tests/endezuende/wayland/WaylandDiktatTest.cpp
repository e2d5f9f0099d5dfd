// Dictation as the user meets it in a Wayland session: the real parlix program on a
// headless sway, KDE Plasma (the real KWin and desktop portal) or GNOME Shell, a text
// field with the focus, the user's clipboard held by another program. The user starts
// the dictation with the hotkey (on GNOME a shortcut running `parlix --toggle`), speaks
// into the microphone and ends it; the cleaned-up text appears in the field and the
// clipboard is the user's again.
#include "app/platform/KindProzess.hpp"
#include "app/platform/wayland/FernAblage.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "app/platform/wayland/kde/KWinTastatur.hpp"
#include "app/platform/wayland/kde/PlasmaFenster.hpp"
#include "core/settings/Einstellungen.hpp"
#include "server/Antwort.hpp"
#include "tests/support/FeldSiehtEscape.hpp"
#include "tests/support/KopfloserTonServer.hpp"
#include "tests/support/KopflosesKdeDesktop.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"
#include "tests/support/Sprachprobe.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/endezuende/GestreamteBytes.hpp"
#include "tests/support/endezuende/ParlixProzess.hpp"
#include "tests/support/gnome/KopflosesGnomeDesktop.hpp"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Art = WaylandAblage::Art;

const QString kGesagt = u"hallo welt das ist ein test der diktierfunktion"_s;
const QString kBereinigt = u"Hallo Welt, das ist ein Test der Diktierfunktion."_s;
const QString kKopiert = u"vorher kopiert"_s;

// Left Control held down from a keyboard of its own for as long as this object lives.
// wtype presses it, then reads text to type from a pipe, and lets go once the pipe
// closes: the hold ends when the test says so, not after a guessed time.
class GehalteneTaste {
public:
    explicit GehalteneTaste(const QString& ordner)
        : fifo_(ordner + u"/taste"_s) {
        ::mkfifo(QFile::encodeName(fifo_).constData(), 0600);
        wtype_.emplace(
            u"sh"_s,
            QStringList{u"-c"_s, u"exec wtype -P Control_L - -p Control_L < \"$0\""_s, fifo_});
        // Opening blocks until the shell opens its end; then wtype starts and presses.
        if (wtype_->gestartet()) {
            fd_ = ::open(QFile::encodeName(fifo_).constData(), O_WRONLY);
        }
    }
    ~GehalteneTaste() { lasseLos(); }
    GehalteneTaste(const GehalteneTaste&) = delete;
    GehalteneTaste& operator=(const GehalteneTaste&) = delete;

    bool gedrueckt() const { return fd_ >= 0; }
    // Returns once wtype let go of the key and ended.
    void lasseLos() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
            wtype_->warteAufEnde(5s);
        }
    }

private:
    QString fifo_;
    std::optional<KindProzess> wtype_;
    int fd_ = -1;
};

template <class Desktop> typename Desktop::Optionen desktopOptionen();
template <> KopflosesWaylandDesktop::Optionen desktopOptionen<KopflosesWaylandDesktop>() {
    return {.bus = true};
}
// KWin lets parlix bind its fake input and window list, as the installed desktop entry does.
template <> KopflosesKdeDesktop::Optionen desktopOptionen<KopflosesKdeDesktop>() {
    return {.vertraut = {QStringLiteral(PARLIX_PROGRAMM)}};
}
template <> KopflosesGnomeDesktop::Optionen desktopOptionen<KopflosesGnomeDesktop>() {
    return {.shell = true, .portale = true};
}

template <class Desktop> class DiktatAufWayland : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString();
        ASSERT_TRUE(ton_.laeuft()) << ton_.fehler().toStdString();
    }
    void TearDown() override {
        if (parlix_.laeuft()) {
            EXPECT_EQ(parlix_.beende(), std::optional<int>(0))
                << parlix_.fehlerAusgabe().right(4000).toStdString();
        }
        if (HasFailure()) {
            std::cout << "The parlix log:\n  " << parlix_.logZeilen().join(u"\n  "_s).toStdString()
                      << '\n';
        }
    }

    void stelleAnbieterEin() {
        Drehbuch& drehbuch = server_.drehbuch();
        drehbuch.stelleStreamEin(StreamAblauf().warteAufEnde().sendeFinal(QString()));
        drehbuch.stelleEin(u"/openai/v1/audio/transcriptions"_s,
                           Antwort::text(200, kGesagt.toUtf8()));
        const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, kBereinigt}};
        drehbuch.stelleEin(
            u"/openai/v1/chat/completions"_s,
            Antwort::json(200,
                          {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}}));
    }
    // `einrichten` changes the settings before the start; `tasten`: the desktop gives
    // global keys, and the program says it listens.
    void starteParlix(const std::function<void(Einstellungen&)>& einrichten = {},
                      bool tasten = true) {
        {
            const std::unique_ptr<DefaultsStore> speicher = parlix_.einstellungen();
            Einstellungen einstellungen(*speicher);
            if (einrichten) {
                einrichten(einstellungen);
            }
            einstellungen.setzeSetupErledigt(true);
            einstellungen.setzeUiSprache(u"de"_s);
        }
        parlix_.starte(umgebung());
        ASSERT_TRUE(parlix_.warteAufLog(u"App gestartet"_s))
            << parlix_.fehlerAusgabe().toStdString();
        if (tasten) {
            ASSERT_TRUE(parlix_.warteAufLog(u"HotkeyTap aktiv"_s))
                << "the key source did not start";
        }
    }
    // Qt's Wayland plugin leaks at exit from frames without frame pointers: only full
    // stacks let the leak suppressions recognise it.
    static QStringList umgebung() {
        return {u"PARLIX_PLATTFORM=wayland"_s, u"ASAN_OPTIONS="_s +
                                                   qEnvironmentVariable("ASAN_OPTIONS") +
                                                   u":fast_unwind_on_malloc=0"_s};
    }

    // The field shows the cleaned-up text as its last line, and the user's clipboard is
    // theirs again.
    void pruefeEingefuegt(KindProzess& feld) {
        QString gezeigt;
        EXPECT_TRUE(warteQt(
            [&] {
                for (const QByteArray& zeile : feld.lies(0ms).split('\n')) {
                    if (!zeile.isEmpty()) {
                        gezeigt = QString::fromUtf8(zeile);
                    }
                }
                return gezeigt == kBereinigt;
            },
            20s))
            << gezeigt.toStdString();
        EXPECT_TRUE(warteQt([&] { return nutzerAblage_.text(Art::zwischenablage) == kKopiert; }))
            << nutzerAblage_.text(Art::zwischenablage).value_or(u"(none)"_s).toStdString();
    }

    // Speaks once the recording started, until the speech reached the server.
    void sprich(const QByteArray& gesprochen) {
        ASSERT_TRUE(parlix_.warteAufLog(u"🎙️ Aufnahme gestartet"_s)) << "no recording started";
        // Half a second of silence after the speech carries its last words out.
        ton_.speise(gesprochen + QByteArray(16000, '\0'));
        ton_.warteAufSpeisung();
        ASSERT_TRUE(server_.drehbuch().warteAufStreams(
            [&](const QList<StreamMitschnitt>& streams) {
                return gestreamteBytes(streams) >= gesprochen.size();
            },
            30s))
            << "the speech did not reach the server's stream";
    }

    Desktop desktop_{desktopOptionen<Desktop>()};
    KopfloserTonServer ton_;
    TestServer server_;
    QTemporaryDir ordner_{QDir::tempPath() + u"/parlix-e2e-XXXXXX"_s};
    ParlixProzess parlix_{QStringLiteral(PARLIX_PROGRAMM), ordner_.path(), server_.basis()};
    WaylandVerbindung nutzer_;
    WaylandAblage nutzerAblage_{nutzer_};
};

using WaylandDiktatTest = DiktatAufWayland<KopflosesWaylandDesktop>;

TEST_F(WaylandDiktatTest, DerBereinigteTextStehtImQtFeldUndDieAblageGehoertDemNutzer) {
    ASSERT_TRUE(nutzerAblage_.bereit());
    stelleAnbieterEin();
    nutzerAblage_.setze(Art::zwischenablage, kKopiert);
    KindProzess& feld = desktop_.starte(QStringLiteral(PARLIX_TESTFELD), {u"QtZiel"_s});
    ASSERT_TRUE(desktop_.warteAufFokus(u"QtZiel"_s).has_value());
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    const QByteArray gesprochen = Sprachprobe::sprich(kBereinigt);

    {
        GehalteneTaste strg(ordner_.path());
        ASSERT_TRUE(strg.gedrueckt());
        ASSERT_NO_FATAL_FAILURE(sprich(gesprochen));
    }

    ASSERT_TRUE(parlix_.warteAufLog(u"⌘V Auto-Einfügen"_s)) << "nothing was pasted";
    pruefeEingefuegt(feld);
    const QList<VerlaufEintrag> verlauf = parlix_.verlauf();
    ASSERT_EQ(verlauf.size(), 1);
    EXPECT_EQ(verlauf[0].text, kBereinigt);
    EXPECT_EQ(verlauf[0].gesagt, kGesagt);
    // The paste chord went out before the clipboard came back: had the compositor taken
    // its Control for the dictation key, a second recording would have started by now.
    EXPECT_EQ(parlix_.beende(), std::optional<int>(0));
    EXPECT_EQ(parlix_.logAnzahl(u"▶︎ START"_s), 1);
}

// On KDE Plasma the hotkey comes through the desktop's GlobalShortcuts portal and the
// paste through data-control and KWin's fake input. A combination toggles the dictation.
class KdeDiktatTest : public DiktatAufWayland<KopflosesKdeDesktop> {
protected:
    void SetUp() override {
        DiktatAufWayland::SetUp();
        ASSERT_TRUE(nutzerAblage_.bereit() && fenster_.bereit() && tasten_.bereit());
    }

    // Control+Shift with D (kVK_ANSI_D), A and P for dictation, action and prompt: KDE
    // takes a modifier alone for either side's, so the default right Control would fire
    // with every chord.
    static void kombinationen(Einstellungen& einstellungen) {
        const auto kombi = [](qint64 keyCode) {
            Hotkey hotkey;
            hotkey.keyCode = keyCode;
            hotkey.modifiers = Hotkey::control | Hotkey::shift;
            return hotkey;
        };
        einstellungen.setzeDiktatHotkey(kombi(2));
        einstellungen.setzeAktionHotkey(kombi(0));
        einstellungen.setzePromptHotkey(kombi(35));
    }

    // Starts a text field and waits until it is the active window.
    KindProzess& starteFeld(const QString& programm, const QStringList& argumente) {
        KindProzess& feld = desktop_.starte(programm, argumente);
        EXPECT_TRUE(warteQt(
            [&] {
                const auto aktiv = fenster_.aktiv();
                return aktiv && aktiv->pid == feld.pid();
            },
            20s))
            << programm.toStdString();
        return feld;
    }
    // The user presses Control+Shift+D.
    bool drueckeKuerzel() { return tasten_.tippe({true, true, XKB_KEY_d}); }

    WaylandVerbindung verbindung_;
    PlasmaFenster fenster_{verbindung_};
    KWinTastatur tasten_{verbindung_, EvdevTastenQuelle::vorgabeBelegung()};
};

TEST_F(KdeDiktatTest, DerTextStehtImQtUndImGtkFeldEscapeBrichtAbUndVollbildPausiert) {
    stelleAnbieterEin();
    nutzerAblage_.setze(Art::zwischenablage, kKopiert);
    KindProzess& qt = starteFeld(QStringLiteral(PARLIX_TESTFELD), {u"QtZiel"_s, u"--escape"_s});
    ASSERT_NO_FATAL_FAILURE(starteParlix(kombinationen));
    ASSERT_TRUE(parlix_.warteAufLog(u"Wayland: globale Tasten über GlobalShortcuts-Portal"_s));
    const QByteArray gesprochen = Sprachprobe::sprich(kBereinigt);

    ASSERT_TRUE(drueckeKuerzel());
    ASSERT_NO_FATAL_FAILURE(sprich(gesprochen));
    ASSERT_TRUE(drueckeKuerzel());
    ASSERT_TRUE(parlix_.warteAufLog(u"⌘V Auto-Einfügen"_s)) << "nothing was pasted";
    pruefeEingefuegt(qt);

    // A GTK field (zenity prints its entry on Return).
    KindProzess& gtk = starteFeld(u"zenity"_s, {u"--entry"_s, u"--title=GtkZiel"_s});
    ASSERT_TRUE(drueckeKuerzel());
    ASSERT_NO_FATAL_FAILURE(sprich(gesprochen));
    ASSERT_TRUE(drueckeKuerzel());
    ASSERT_TRUE(parlix_.warteAufLog(u"⌘V Auto-Einfügen"_s, 2)) << "nothing was pasted";
    ASSERT_TRUE(warteQt([&] { return nutzerAblage_.text(Art::zwischenablage) == kKopiert; }));
    ASSERT_TRUE(tasten_.tippe({false, false, XKB_KEY_Return}));
    EXPECT_TRUE(warteQt([&] { return gtk.lies(0ms).contains(kBereinigt.toUtf8()); }, 10s));

    // Escape cancels a recording: nothing pasted, nothing kept, and the field has Escape back.
    const auto escape = [&] { return tasten_.tippe({false, false, XKB_KEY_Escape}); };
    // zenity ended on Return; the Qt field is in front again.
    ASSERT_TRUE(warteQt(
        [&] {
            const auto aktiv = fenster_.aktiv();
            return aktiv && aktiv->pid == qt.pid();
        },
        20s));
    ASSERT_TRUE(drueckeKuerzel());
    ASSERT_TRUE(parlix_.warteAufLog(u"🎙️ Aufnahme gestartet"_s, 3));
    ton_.speise(gesprochen);
    ton_.warteAufSpeisung();
    ASSERT_TRUE(warteQt(
        [&] {
            return escape() &&
                   parlix_.warteAufLog(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s, 1, 300ms);
        },
        10s))
        << "Escape did not cancel the recording";
    warteQt([] { return false; }, 1500ms);
    EXPECT_EQ(parlix_.logAnzahl(u"⌘V Auto-Einfügen"_s), 2);
    EXPECT_EQ(parlix_.verlauf().size(), 2);
    EXPECT_TRUE(feldSiehtEscape(qt, escape)) << "Escape stays taken after the recording";

    // A full-screen window in front: the hotkey starts nothing.
    starteFeld(QStringLiteral(PARLIX_TESTFELD), {u"Spiel"_s, u"--vollbild"_s});
    ASSERT_TRUE(parlix_.warteAufLog(u"Game Mode AN — Hotkeys deaktiviert"_s));
    ASSERT_TRUE(drueckeKuerzel());
    warteQt([] { return false; }, 1s);
    EXPECT_EQ(parlix_.logAnzahl(u"🎙️ Aufnahme gestartet"_s), 3);
    EXPECT_EQ(parlix_.verlauf().size(), 2);
}

// The real GNOME Shell 43 with its portals: no global keys and no data-control; the paste
// goes through Mutter's own remote-desktop session.
using GnomeDiktatTest = DiktatAufWayland<KopflosesGnomeDesktop>;

TEST_F(GnomeDiktatTest, DerToggleBefehlDiktiertInsGtkFeldUndDieAblageGehoertDemNutzer) {
    stelleAnbieterEin();
    ASSERT_TRUE(desktop_.nutzerAblage().setze(Art::zwischenablage, kKopiert));
    KindProzess& zenity = desktop_.starte(u"zenity"_s, {u"--entry"_s, u"--title=GtkZiel"_s});
    ASSERT_TRUE(desktop_.warteAufFokus(u"zenity"_s));
    ASSERT_NO_FATAL_FAILURE(starteParlix({}, false));
    const auto umschalten = [this] {
        ASSERT_EQ(parlix_.rufe({u"--toggle"_s}, umgebung()), std::optional<int>(0))
            << parlix_.fehlerAusgabe().right(4000).toStdString();
    };
    ASSERT_NO_FATAL_FAILURE(umschalten());
    ASSERT_NO_FATAL_FAILURE(sprich(Sprachprobe::sprich(kBereinigt)));
    ASSERT_NO_FATAL_FAILURE(umschalten());

    ASSERT_TRUE(parlix_.warteAufLog(u"⌘V Auto-Einfügen"_s)) << "nothing was pasted";
    EXPECT_TRUE(warteQt(
        [&] { return desktop_.nutzerAblage().text(Art::zwischenablage) == kKopiert; }, 10s));
    // The HUD came and went without taking the focus from the user's field.
    EXPECT_TRUE(desktop_.warteAufFokus(u"zenity"_s, 2s));
    // zenity prints its field when the user presses Return.
    ASSERT_TRUE(desktop_.tippe(XKB_KEY_Return));
    EXPECT_TRUE(warteQt([&] { return zenity.lies(0ms).contains(kBereinigt.toUtf8()); }, 10s));
    ASSERT_EQ(parlix_.verlauf().size(), 1);
    EXPECT_EQ(parlix_.beende(), std::optional<int>(0));
    EXPECT_EQ(parlix_.logAnzahl(u"▶︎ START"_s), 1);
}

} // namespace
} // namespace parlix::test
