// Hotkeys and Escape through sway's bindings, typed as a user would on a headless sway.
#include "app/platform/wayland/FensterTastenUmleitung.hpp"
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "app/platform/wayland/sway/SwayEscMonitor.hpp"
#include "app/platform/wayland/sway/SwayTastenQuelle.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QList>
#include <gtest/gtest.h>
#include <mutex>
#include <tuple>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

using Ereignis = std::tuple<quint32, qint64, quint64>;

class SwayTastenTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString(); }

    QList<Ereignis> ereignisse() {
        const std::lock_guard lock(sperre_);
        return ereignisse_;
    }
    bool warteAufAnzahl(qsizetype anzahl) {
        return warteQt([&] { return ereignisse().size() >= anzahl; });
    }
    TastenQuelle::Behandler behandler() {
        return [this](quint32 typ, qint64 code, quint64 flags) {
            const std::lock_guard lock(sperre_);
            ereignisse_.append({typ, code, flags});
            return false;
        };
    }

    KopflosesWaylandDesktop desktop_;
    SwayIpc befehle_{desktop_.ipcSocket()};
    SwayEreignisse swayEreignisse_{desktop_.ipcSocket()};
    SwayBindungen bindungen_{befehle_, swayEreignisse_};
    std::mutex sperre_;
    QList<Ereignis> ereignisse_;
};

TEST_F(SwayTastenTest, LinkeStrgAlleinHaeltUndEinAkkordVerliertDasLoslassenNicht) {
    SwayTastenQuelle quelle(bindungen_, [] { return QList{Hotkey::diktatStandard()}; });
    bool bereit = false;
    quelle.starte(behandler(), [&](bool ok) { bereit = ok; });
    ASSERT_TRUE(bereit);
    const Ereignis runter{Ereignistyp::flagsGeaendert, 59, Hotkey::control};
    const Ereignis hoch{Ereignistyp::flagsGeaendert, 59, 0};

    ASSERT_TRUE(desktop_.tippe({u"-P"_s, u"Control_L"_s, u"-p"_s, u"Control_L"_s}));
    ASSERT_TRUE(warteAufAnzahl(2));
    // Ctrl+A: sway reports the press, never the release.
    ASSERT_TRUE(
        desktop_.tippe({u"-P"_s, u"Control_L"_s, u"-k"_s, u"a"_s, u"-p"_s, u"Control_L"_s}));
    ASSERT_TRUE(warteAufAnzahl(3));
    // Right Control is no hotkey here and reaches nobody.
    ASSERT_TRUE(desktop_.tippe({u"-P"_s, u"Control_R"_s, u"-p"_s, u"Control_R"_s}));
    // The next press first delivers the lost release.
    ASSERT_TRUE(desktop_.tippe({u"-P"_s, u"Control_L"_s, u"-p"_s, u"Control_L"_s}));
    ASSERT_TRUE(warteAufAnzahl(6));
    EXPECT_EQ(ereignisse(), (QList<Ereignis>{runter, hoch, runter, hoch, runter, hoch}));
}

TEST_F(SwayTastenTest, KombinationWirdBeimDrueckenGemeldetUndEscapeNurWaehrendDerWache) {
    Hotkey sperre = Hotkey::lockStandard(); // Command+Shift+L
    SwayTastenQuelle quelle(bindungen_, [&] { return QList{sperre}; });
    quelle.starte(behandler(), [](bool) {});
    ASSERT_TRUE(desktop_.tippe({u"-M"_s, u"logo"_s, u"-M"_s, u"shift"_s, u"-k"_s, u"l"_s}));
    ASSERT_TRUE(warteAufAnzahl(1));
    EXPECT_EQ(ereignisse().first(),
              Ereignis(Ereignistyp::tasteRunter, sperre.keyCode, sperre.modifiers));

    QtMainQueue queue;
    SwayEscMonitor esc(bindungen_, queue);
    int escapes = 0;
    {
        const auto wache = esc.installiere([&] { ++escapes; });
        ASSERT_TRUE(desktop_.tippe({u"-k"_s, u"Escape"_s}));
        ASSERT_TRUE(warteQt([&] { return escapes == 1; }));
    }
    ASSERT_TRUE(desktop_.tippe({u"-k"_s, u"Escape"_s}));
    ASSERT_TRUE(desktop_.tippe({u"-M"_s, u"logo"_s, u"-M"_s, u"shift"_s, u"-k"_s, u"l"_s}));
    // The second lock press proves the Escape before it was seen by sway and not bound.
    ASSERT_TRUE(warteAufAnzahl(2));
    warteQt([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(escapes, 1);
}

// A key of the settings window as the compositor delivers it: the X key code (device
// code + 8) as native scan code.
bool fensterTaste(QObject& fenster, QEvent::Type art, quint32 xKeycode) {
    QKeyEvent taste(art, 0, Qt::NoModifier, xKeycode, 0, 0);
    return QCoreApplication::sendEvent(&fenster, &taste);
}

TEST_F(SwayTastenTest, EinNeuerHotkeyKommtAusDemFensterUndIstDanachGebunden) {
    Hotkey diktat = Hotkey::diktatStandard();
    SwayTastenQuelle quelle(bindungen_, [&] { return QList{diktat}; });
    quelle.starte(behandler(), [](bool) {});
    FensterTastenUmleitung umleitung(
        EvdevTastenQuelle::vorgabeBelegung(), [&](bool pause) { quelle.pausiere(pause); },
        [&] { quelle.hotkeysGeaendert(); });
    HotkeyRecorder recorder;
    umleitung.leiteUm(recorder);
    recorder.nimmAuf([&](const Hotkey& neu) { diktat = neu; }, [] {});

    // Meanwhile sway binds nothing: the old key reaches the window, not the hotkeys.
    ASSERT_TRUE(desktop_.tippe({u"-P"_s, u"Control_L"_s, u"-p"_s, u"Control_L"_s}));
    QObject fenster;
    EXPECT_TRUE(fensterTaste(fenster, QEvent::KeyPress, 105)); // right Control
    EXPECT_TRUE(recorder.nimmtAuf());
    EXPECT_TRUE(fensterTaste(fenster, QEvent::KeyRelease, 105));
    EXPECT_FALSE(recorder.nimmtAuf());
    EXPECT_EQ(diktat.keyCode, 62);
    EXPECT_TRUE(diktat.istModifierTaste);
    // The diversion ended by itself: the window's keys are its own again, the new key acts.
    EXPECT_FALSE(fensterTaste(fenster, QEvent::KeyPress, 105));
    ASSERT_TRUE(desktop_.tippe({u"-P"_s, u"Control_R"_s, u"-p"_s, u"Control_R"_s}));
    ASSERT_TRUE(warteAufAnzahl(2));
    EXPECT_EQ(ereignisse(), (QList<Ereignis>{{Ereignistyp::flagsGeaendert, 62, Hotkey::control},
                                             {Ereignistyp::flagsGeaendert, 62, 0}}));
}

} // namespace
} // namespace parlix::test
