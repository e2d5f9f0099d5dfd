// The X11 key source wired to the real HotkeyTap and HotkeyManager, on a real X server
// with a window manager, keys pressed through XTest as a user presses them, and a
// focused xev window that shows which keys an application receives.
#include "app/platform/x11/X11TastenQuelle.hpp"

#include "app/platform/x11/EigeneTastenMarke.hpp"
#include "app/platform/x11/EwmhAbfrage.hpp"
#include "app/platform/x11/X11Dienste.hpp"
#include "app/platform/x11/X11EscMonitor.hpp"
#include "app/platform/x11/X11VollbildSonde.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/GameModeMonitor.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"
#include "core/hotkeys/HotkeyTap.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/x11/Fokusfenster.hpp"
#include "tests/app/platform/x11/TestTastatur.hpp"
#include "tests/app/platform/x11/X11Test.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/MitlesendeQuelle.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <csignal>
#include <string>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

constexpr qint64 linkeStrg = 59;
constexpr qint64 rechteStrg = 62;
constexpr qint64 rechteAlt = 61;
constexpr qint64 linkeAlt = 58;
constexpr qint64 tasteD = 2;
constexpr quint32 flags = Ereignistyp::flagsGeaendert;
constexpr quint32 runter = Ereignistyp::tasteRunter;

class X11TastenQuelleTest : public X11Test {
protected:
    // The four managers as start-up wires them, noting "start d", "stop a", "lock p" ...
    void starte() {
        using S = Einstellungen::Schluessel;
        const std::pair<S, std::string> arten[] = {{S::diktatHotkey, "d"},
                                                   {S::aktionHotkey, "a"},
                                                   {S::promptHotkey, "p"},
                                                   {S::lockHotkey, "l"}};
        std::vector<std::shared_ptr<HotkeyManager>> liste;
        for (const auto& [schluessel, name] : arten) {
            auto m = HotkeyManager::erstelle(
                queue, speicher,
                [this, s = schluessel] { return std::get<Hotkey>(einstellungen.wert(s)); },
                name == "l");
            m->beiStart = [this, name] { protokoll.push_back("start " + name); };
            m->beiStop = [this, name] { protokoll.push_back("stop " + name); };
            m->beiLock = [this, name] { protokoll.push_back("lock " + name); };
            liste.push_back(m);
        }
        manager = liste;
        auto x11 = std::make_unique<X11TastenQuelle>(queue, speicher);
        umleitung = x11.get();
        auto quelle = std::make_unique<MitlesendeQuelle>(std::move(x11));
        mitleser = quelle.get();
        tap = std::make_unique<HotkeyTap>(liste, std::move(quelle));
        LogMitschnitt log;
        tap->starte();
        ASSERT_TRUE(warteBis([&] { return log.enthaelt(u"HotkeyTap aktiv (eigener Thread)"_s); }));
    }

    // Waits until the source has handed the tap the next event of that key, then runs
    // what the managers posted. The flags the event carried.
    quint64 warteAufQuelle(quint32 typ, qint64 keyCode) {
        std::optional<quint64> flags;
        queue.warteBis([&] {
            const auto alle = mitleser->ereignisse();
            for (; gelesen < alle.size() && !flags; ++gelesen) {
                if (alle[gelesen].typ == typ && alle[gelesen].keyCode == keyCode) {
                    flags = alle[gelesen].flags;
                }
            }
            return flags.has_value();
        });
        EXPECT_TRUE(flags.has_value()) << "typ " << typ << " key " << keyCode;
        queue.laufe();
        return flags.value_or(0);
    }

    // The focused window first, so that it has the focus when the keys come.
    void starteMitFenster() {
        fokus.emplace(desktop());
        ASSERT_TRUE(fokus->bereit());
        starte();
    }

    // How often the window received the key, once every key typed so far has arrived
    // (an x typed last marks the point).
    int angekommen(const QString& name) {
        tastatur.tippe(XK_x);
        EXPECT_TRUE(fokus->warteAuf(u"x"_s, ++trenner));
        return fokus->anzahl(name);
    }

    // Holds left Control past the start delay and lets go.
    void halteLinkeStrg() {
        tastatur.druecke(XK_Control_L);
        warteAufQuelle(flags, linkeStrg);
        queue.vorspulen(500ms);
        tastatur.lasse(XK_Control_L);
        warteAufQuelle(flags, linkeStrg);
    }

    void drueckeKombi(quint64 keysym) {
        tastatur.druecke(XK_Control_L);
        tastatur.druecke(XK_Shift_L);
        tastatur.tippe(keysym);
        tastatur.lasse(XK_Shift_L);
        tastatur.lasse(XK_Control_L);
    }

    VirtuelleMainQueue queue;
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    TestTastatur tastatur;
    std::vector<std::string> protokoll;
    std::vector<std::shared_ptr<HotkeyManager>> manager;
    X11TastenQuelle* umleitung = nullptr;
    MitlesendeQuelle* mitleser = nullptr;
    std::size_t gelesen = 0;
    std::optional<Fokusfenster> fokus;
    int trenner = 0;
    std::unique_ptr<HotkeyTap> tap;
};

using Protokoll = std::vector<std::string>;

const Hotkey strgUmschaltD{tasteD, Hotkey::control | Hotkey::shift, false, u"⌃⇧D"_s};

TEST_F(X11TastenQuelleTest, LinkeStrgAlleinHaeltDiktatUndErreichtDasFenster) {
    EXPECT_TRUE(X11Dienste::verfuegbar());
    starteMitFenster();

    tastatur.druecke(XK_Control_L);
    EXPECT_EQ(warteAufQuelle(flags, linkeStrg), Hotkey::control);
    queue.vorspulen(499ms);
    EXPECT_TRUE(protokoll.empty());
    queue.vorspulen(1ms);
    EXPECT_EQ(protokoll, Protokoll{"start d"});

    tastatur.lasse(XK_Control_L);
    EXPECT_EQ(warteAufQuelle(flags, linkeStrg), 0u);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "stop d"}));
    // A modifier held alone is never swallowed.
    EXPECT_TRUE(fokus->warteAuf(u"Control_L"_s));
}

TEST_F(X11TastenQuelleTest, RechteAltAlleinIstEineAndereTasteAlsLinkeAlt) {
    einstellungen.setzeAktionHotkey(Hotkey{rechteAlt, 0, true, u"Rechte Alt"_s});
    starte();

    tastatur.tippe(XK_Alt_L);
    warteAufQuelle(flags, linkeAlt);
    warteAufQuelle(flags, linkeAlt);
    queue.vorspulen(1s);
    EXPECT_TRUE(protokoll.empty());

    tastatur.druecke(XK_Alt_R);
    EXPECT_EQ(warteAufQuelle(flags, rechteAlt), Hotkey::option);
    queue.vorspulen(500ms);
    tastatur.lasse(XK_Alt_R);
    warteAufQuelle(flags, rechteAlt);
    EXPECT_EQ(protokoll, (Protokoll{"start a", "stop a"}));
}

TEST_F(X11TastenQuelleTest, KombiWirdAuchMitFeststelltastenGeschlucktModifierAllein) {
    einstellungen.setzeDiktatHotkey(strgUmschaltD);
    starteMitFenster();

    drueckeKombi(XK_d);
    EXPECT_EQ(warteAufQuelle(runter, tasteD), Hotkey::control | Hotkey::shift);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d"}));

    // Num Lock and Caps Lock on: the same combination is still grabbed.
    tastatur.tippe(XK_Num_Lock);
    tastatur.tippe(XK_Caps_Lock);
    drueckeKombi(XK_d);
    warteAufQuelle(runter, tasteD);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d", "stop d"}));
    tastatur.tippe(XK_Num_Lock);
    tastatur.tippe(XK_Caps_Lock);

    // Right Control, the action key, reaches the window; so does any other key, but D
    // never did.
    tastatur.tippe(XK_Control_R);
    warteAufQuelle(flags, rechteStrg);
    EXPECT_EQ(angekommen(u"D"_s), 0);
    EXPECT_EQ(fokus->anzahl(u"Control_R"_s), 1);
    EXPECT_EQ(fokus->anzahl(u"Shift_L"_s), 2);
}

TEST_F(X11TastenQuelleTest, DoppeltippSperrtBisZumNaechstenDruck) {
    starte();
    tastatur.tippe(XK_Control_L);
    warteAufQuelle(flags, linkeStrg);
    warteAufQuelle(flags, linkeStrg);
    tastatur.druecke(XK_Control_L);
    warteAufQuelle(flags, linkeStrg);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d"}));

    tastatur.lasse(XK_Control_L);
    warteAufQuelle(flags, linkeStrg);
    queue.vorspulen(1s);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d"}));
    tastatur.druecke(XK_Control_L);
    warteAufQuelle(flags, linkeStrg);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d", "stop d"}));
    tastatur.lasse(XK_Control_L);
}

TEST_F(X11TastenQuelleTest, TasteUnterDemGriffEinesAnderenProgrammsKommtAn) {
    starte();
    auto anderes = XVerbindung::oeffne();
    ASSERT_EQ(XGrabKeyboard(anderes->anzeige(), anderes->wurzel(), False, GrabModeAsync,
                            GrabModeAsync, CurrentTime),
              GrabSuccess);
    anderes->gleicheAb();

    halteLinkeStrg();
    EXPECT_EQ(protokoll, (Protokoll{"start d", "stop d"}));
}

TEST_F(X11TastenQuelleTest, BelegteKombiWirdGemeldetDieAnderenGreifenTrotzdem) {
    constexpr qint64 tasteF = 3;
    einstellungen.setzeDiktatHotkey(strgUmschaltD);
    einstellungen.setzeAktionHotkey(
        Hotkey{tasteF, Hotkey::control | Hotkey::shift, false, u"⌃⇧F"_s});
    // Another program holds Control+Shift+D before Parlix starts.
    auto anderes = XVerbindung::oeffne();
    Display* a = anderes->anzeige();
    XGrabKey(a, XKeysymToKeycode(a, XK_d), ControlMask | ShiftMask, anderes->wurzel(), False,
             GrabModeAsync, GrabModeAsync);
    anderes->gleicheAb();
    LogMitschnitt log;
    starteMitFenster();
    EXPECT_EQ(log.anzahl(u"FEHLER: Hotkey ⌃⇧D ist von einem anderen Programm belegt und wird "
                         u"nicht abgefangen"_s),
              1);

    drueckeKombi(XK_f);
    warteAufQuelle(runter, tasteF);
    EXPECT_EQ(protokoll, (Protokoll{"start a", "lock a"}));
    EXPECT_EQ(angekommen(u"F"_s), 0);
}

TEST_F(X11TastenQuelleTest, EigeneTastenstoesseErreichenDieManagerNicht) {
    starte();
    {
        EigeneTastenMarke marke(tastatur.verbindung());
        tastatur.druecke(XK_Control_L);
        tastatur.tippe(XK_v);
        tastatur.lasse(XK_Control_L);
    }
    tastatur.druecke(XK_Control_L);
    warteAufQuelle(flags, linkeStrg);
    // The first event the tap saw is the user's press after the injection.
    const auto gesehen = mitleser->ereignisse();
    ASSERT_EQ(gesehen.size(), 1u);
    EXPECT_EQ(gesehen.front(), (MitlesendeQuelle::Ereignis{flags, linkeStrg, Hotkey::control}));
    tastatur.lasse(XK_Control_L);
}

TEST_F(X11TastenQuelleTest, NeuerHotkeyWirdAufgenommenUndGiltSofort) {
    starteMitFenster();
    HotkeyRecorder recorder;
    std::optional<Hotkey> neu;
    umleitung->leiteUm(recorder);
    recorder.nimmAuf(
        [&](const Hotkey& hotkey) {
            einstellungen.setzeDiktatHotkey(hotkey);
            manager.front()->ladeKonfig();
            neu = hotkey;
        },
        [] {});

    // Left Control, the dictation key, goes to the recorder, not to the manager.
    drueckeKombi(XK_r);
    ASSERT_TRUE(queue.warteBis([&] { return neu.has_value(); }));
    EXPECT_EQ(*neu, (Hotkey{15, Hotkey::control | Hotkey::shift, false, u"⌃⇧R"_s}));
    queue.vorspulen(1s);
    EXPECT_TRUE(protokoll.empty());
    ASSERT_TRUE(fokus->warteAuf(u"R"_s));

    // The new hotkey acts and is swallowed at once.
    drueckeKombi(XK_r);
    warteAufQuelle(runter, 15);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d"}));
    EXPECT_EQ(angekommen(u"R"_s), 1);
}

TEST_F(X11TastenQuelleTest, GeaenderteBelegungGiltSofort) {
    einstellungen.setzeDiktatHotkey(strgUmschaltD);
    starteMitFenster();

    // Caps Lock becomes a second Control key, as the layout option ctrl:nocaps makes it.
    Display* anzeige = tastatur.verbindung().anzeige();
    const KeyCode caps = XKeysymToKeycode(anzeige, XK_Caps_Lock);
    const auto belege = [&](KeySym symbol, int alterModifier, int neuerModifier) {
        KeySym symbole[] = {symbol};
        XChangeKeyboardMapping(anzeige, caps, 1, symbole, 1);
        XModifierKeymap* modifier = XGetModifierMapping(anzeige);
        modifier = XDeleteModifiermapEntry(modifier, caps, alterModifier);
        modifier = XInsertModifiermapEntry(modifier, caps, neuerModifier);
        XSetModifierMapping(anzeige, modifier);
        XFreeModifiermap(modifier);
        tastatur.verbindung().gleicheAb();
    };
    belege(XK_Control_L, LockMapIndex, ControlMapIndex);

    const auto drueckeCaps = [&](Bool runter) {
        XTestFakeKeyEvent(anzeige, caps, runter, CurrentTime);
        tastatur.verbindung().gleicheAb();
    };
    drueckeCaps(True);
    EXPECT_EQ(warteAufQuelle(flags, linkeStrg), Hotkey::control);
    tastatur.druecke(XK_Shift_L);
    tastatur.tippe(XK_d);
    tastatur.lasse(XK_Shift_L);
    drueckeCaps(False);
    warteAufQuelle(runter, tasteD);
    EXPECT_EQ(protokoll, (Protokoll{"start d", "lock d"}));
    belege(XK_Caps_Lock, ControlMapIndex, LockMapIndex);

    EXPECT_EQ(angekommen(u"D"_s), 0);
}

TEST_F(X11TastenQuelleTest, EscapeErreichtJedeWacheUndDasFenster) {
    fokus.emplace(desktop());
    ASSERT_TRUE(fokus->bereit());
    X11EscMonitor monitor(queue);
    int erste = 0;
    int zweite = 0;
    // The first watch ends itself, as a cancelled recording does.
    std::unique_ptr<EscMonitor::Abo> abo;
    abo = monitor.installiere([&] {
        ++erste;
        abo.reset();
    });
    const auto bleibt = monitor.installiere([&] { ++zweite; });

    tastatur.tippe(XK_Escape);
    ASSERT_TRUE(queue.warteBis([&] { return zweite == 1; }));
    tastatur.tippe(XK_a);
    tastatur.tippe(XK_Escape);
    ASSERT_TRUE(queue.warteBis([&] { return zweite == 2; }));
    EXPECT_EQ(erste, 1);
    EXPECT_TRUE(fokus->warteAuf(u"Escape"_s, 2));
}

TEST_F(X11TastenQuelleTest, VollbildSchaltetDieHotkeysAbUndWiederEin) {
    starte();
    X11VollbildSonde sonde(queue);
    GameModeMonitor spielmodus(queue, sonde);
    spielmodus.onChange = [&](bool aktiv) { tap->setzeGameModeAktiv(aktiv); };
    KindProzess& spiel = desktop().starte(u"xterm"_s, {u"-class"_s, u"ParlixSpiel"_s});
    const quint64 fenster = desktop().warteAufFenster(u"ParlixSpiel"_s);
    const EwmhAbfrage ewmh(tastatur.verbindung());
    ASSERT_TRUE(warteBis([&] { return ewmh.aktivesFenster() == fenster; }));
    LogMitschnitt log;
    spielmodus.starte();
    EXPECT_FALSE(spielmodus.aktiv());
    EXPECT_EQ(sonde.vorderstePid(), spiel.pid());

    // As a game asks the window manager for full screen.
    const auto vollbild = [&](bool an) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = fenster;
        e.xclient.message_type = tastatur.verbindung().atom("_NET_WM_STATE");
        e.xclient.format = 32;
        e.xclient.data.l[0] = an ? 1 : 0;
        e.xclient.data.l[1] =
            static_cast<long>(tastatur.verbindung().atom("_NET_WM_STATE_FULLSCREEN"));
        e.xclient.data.l[3] = 1;
        XSendEvent(tastatur.verbindung().anzeige(), tastatur.verbindung().wurzel(), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
        tastatur.verbindung().gleicheAb();
    };
    vollbild(true);
    ASSERT_TRUE(queue.warteBis([&] { return spielmodus.aktiv(); }));
    EXPECT_EQ(sonde.bildschirme(), QList<QSizeF>{QSizeF(1280, 800)});
    const auto liste = sonde.fenster();
    ASSERT_TRUE(liste.has_value() && liste->size() == 1);
    EXPECT_EQ(liste->front().grenzen, QRectF(0, 0, 1280, 800));

    halteLinkeStrg();
    EXPECT_TRUE(protokoll.empty());

    vollbild(false);
    ASSERT_TRUE(queue.warteBis([&] { return !spielmodus.aktiv(); }));
    halteLinkeStrg();
    EXPECT_EQ(protokoll, (Protokoll{"start d", "stop d"}));
    EXPECT_EQ(log.zeilen(), (QStringList{u"Game Mode AN — Hotkeys deaktiviert"_s,
                                         u"Game Mode AUS — Hotkeys aktiv"_s}));
    spielmodus.stoppe();
    spiel.sende(SIGKILL);
}

TEST(X11OhneAnzeige, TastenQuelleMeldetDasFehlenDerRestAntwortetNichts) {
    GesetzteUmgebung umgebung;
    umgebung.entferne("DISPLAY");
    VirtuelleMainQueue queue;
    SpeicherDefaultsStore speicher;
    LogMitschnitt log;
    {
        HotkeyTap tap({}, std::make_unique<X11TastenQuelle>(queue, speicher));
        tap.starte();
        ASSERT_TRUE(queue.warteBis([&] { return log.zeilen().size() == 2; }));
    }
    EXPECT_EQ(
        log.zeilen(),
        (QStringList{
            u"X11: keine X-Anzeige erreichbar (DISPLAY=\"\"), globale Tasten fehlen"_s,
            u"FEHLER: HotkeyTap: konnte nicht erstellt werden (Bedienungshilfen fehlen?)"_s}));

    // A Wayland session is refused before any X connection is made.
    umgebung.setze("WAYLAND_DISPLAY", "wayland-7");
    {
        HotkeyTap tap({}, std::make_unique<X11TastenQuelle>(queue, speicher));
        tap.starte();
    }
    EXPECT_EQ(
        log.zeilen().mid(2),
        (QStringList{
            u"X11: Wayland-Sitzung (WAYLAND_DISPLAY=\"wayland-7\"), globale Tasten "
            u"über X11 nicht möglich"_s,
            u"FEHLER: HotkeyTap: konnte nicht erstellt werden (Bedienungshilfen fehlen?)"_s}));

    EXPECT_FALSE(X11Dienste::verfuegbar());
    const auto monitor = X11Dienste::escMonitor(queue);
    EXPECT_NE(monitor->installiere([] {}), nullptr);
    const auto sonde = X11Dienste::vollbildSonde(queue);
    sonde->beobachteWechsel([] {});
    EXPECT_FALSE(sonde->vorderstePid().has_value());
    EXPECT_FALSE(sonde->fenster().has_value());
    EXPECT_TRUE(sonde->bildschirme().isEmpty());
    EXPECT_FALSE(X11Dienste::vordergrundApp()->anwendungsID().has_value());
}

} // namespace
} // namespace parlix::test
