// The focused application and its full-screen state from Hyprland's IPC, against a
// Hyprland played on real Unix sockets.
#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"
#include "app/platform/wayland/hyprland/HyprlandVollbildSonde.hpp"
#include "app/platform/wayland/hyprland/HyprlandVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/wayland/FakeHyprland.hpp"
#include "tests/support/QtWarten.hpp"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

QByteArray fenster(const QByteArray& klasse, const QByteArray& vollbild) {
    return R"({"address":"0x5d2f0a10","at":[10,40],"size":[800,600],"class":")" + klasse +
           R"(","title":"~","pid":4242,"xwayland":false,)" + vollbild + "}";
}

TEST(HyprlandTest, AnwendungOrtUndVollbildDesAktivenFensters) {
    FakeHyprland hyprland;
    ASSERT_TRUE(hyprland.laeuft());
    const auto ordner = HyprlandIpc::ordner();
    ASSERT_TRUE(ordner.has_value());
    HyprlandIpc ipc(*ordner);
    QtMainQueue queue;
    HyprlandVordergrundApp vorn(ipc);
    HyprlandVollbildSonde sonde(ipc, queue);

    hyprland.antworte("j/activewindow", fenster("foot", R"("fullscreen":0)"));
    EXPECT_EQ(vorn.anwendungsID(), u"foot"_s);
    EXPECT_EQ(vorn.fokusFenster(), QRect(10, 40, 800, 600));
    EXPECT_EQ(sonde.vorderstePid(), 4242);
    EXPECT_EQ(sonde.meldetVollbild(), false);
    // Newer versions: flags (2 full screen, 1 maximised); older: a flag and a mode (0 full
    // screen, 1 maximised).
    hyprland.antworte("j/activewindow", fenster("foot", R"("fullscreen":3)"));
    EXPECT_EQ(sonde.meldetVollbild(), true);
    hyprland.antworte("j/activewindow", fenster("foot", R"("fullscreen":1)"));
    EXPECT_EQ(sonde.meldetVollbild(), false);
    hyprland.antworte("j/activewindow", fenster("foot", R"("fullscreen":true,"fullscreenMode":0)"));
    EXPECT_EQ(sonde.meldetVollbild(), true);
    hyprland.antworte("j/activewindow", fenster("foot", R"("fullscreen":true,"fullscreenMode":1)"));
    EXPECT_EQ(sonde.meldetVollbild(), false);

    // No focused window, a broken answer, an unknown one: nothing, and not full screen.
    for (const QByteArray& antwort :
         {QByteArray("{}"), QByteArray(R"({"class":"fo)"), QByteArray("unknown request")}) {
        hyprland.antworte("j/activewindow", antwort);
        EXPECT_EQ(vorn.anwendungsID(), std::nullopt) << antwort.toStdString();
        EXPECT_EQ(vorn.fokusFenster(), std::nullopt);
        EXPECT_EQ(sonde.meldetVollbild(), false);
    }

    hyprland.verschwinde();
    EXPECT_EQ(vorn.anwendungsID(), std::nullopt);
    EXPECT_EQ(sonde.meldetVollbild(), false);
    EXPECT_EQ(HyprlandIpc::ordner(), std::nullopt);
}

TEST(HyprlandTest, FokusUndVollbildEreignisseMeldenEinenWechselBisZumEnde) {
    FakeHyprland hyprland;
    ASSERT_TRUE(hyprland.laeuft());
    HyprlandIpc ipc(HyprlandIpc::ordner().value_or(QString()));
    QtMainQueue queue;
    HyprlandVollbildSonde sonde(ipc, queue);
    int wechsel = 0;
    sonde.beobachteWechsel([&] { ++wechsel; });
    ASSERT_TRUE(warteQt([&] { return hyprland.zuhoerer() == 1; }));

    // Events of no interest, then a focus change written in two pieces.
    hyprland.sende("openlayer>>notifications\nactivewin");
    hyprland.sende("dowv2>>5d2f0a10\nfullscreen>>1\n");
    EXPECT_TRUE(warteQt([&] { return wechsel == 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(wechsel, 2);

    sonde.beendeBeobachtung();
    hyprland.sende("activewindow>>foot,~\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(wechsel, 2);

    // Hyprland goes away while watched: the watch ends quietly.
    sonde.beobachteWechsel([&] { ++wechsel; });
    ASSERT_TRUE(warteQt([&] { return hyprland.zuhoerer() == 2; }));
    hyprland.verschwinde();
    sonde.beendeBeobachtung();
    EXPECT_EQ(wechsel, 2);
}

} // namespace
} // namespace parlix::test
