#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/null/NullEscMonitor.hpp"
#include "app/platform/null/NullKopierablage.hpp"
#include "app/ui/SymbolKnopf.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "app/ui/hud/HUDWidget.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"
#include "app/ui/livebox/LiveBoxWidget.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"
#include "app/ui/verlauf/GlasVerlaufController.hpp"
#include "app/ui/verlauf/GlasVerlaufFenster.hpp"
#include "app/ui/verlauf/VerlaufKarte.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/ProzessDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

// Generous for a loaded machine: several test programs share its two cores.
constexpr int fensterFrist = 20000;

QString fuehreAus(const QString& programm, const QStringList& argumente) {
    return QString::fromUtf8(KindProzess::ausgabe(programm, argumente, 10s).value_or(QByteArray()))
        .trimmed();
}

QString aktivesFenster() {
    return fuehreAus(u"xprop"_s, {u"-root"_s, u"_NET_ACTIVE_WINDOW"_s}).section(u' ', -1);
}

QString eingabeFokus() {
    return fuehreAus(u"xdotool"_s, {u"getwindowfocus"_s});
}

void klicke(QPoint ort) {
    // Without --sync, which waits forever when the pointer is there already; the server
    // handles the move before the click all the same.
    fuehreAus(u"xdotool"_s, {u"mousemove"_s, QString::number(ort.x()), QString::number(ort.y()),
                             u"click"_s, u"1"_s});
}

bool ungemappt(const QWidget& fenster) {
    return fuehreAus(u"xwininfo"_s, {u"-id"_s, QString::number(fenster.winId())})
        .contains(u"IsUnMapped"_s);
}

// A plain window without decoration that counts the clicks reaching it.
class Unterlage final : public QWidget {
public:
    Unterlage()
        : QWidget(nullptr, Qt::FramelessWindowHint) {}

    int klicks = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++klicks; }
};

// A desktop whose translucency the test switches.
class SchaltbareArbeitsflaeche final : public Arbeitsflaeche {
public:
    bool durchsichtig = true;
    std::optional<QRect> fokusFenster() override { return std::nullopt; }
    bool durchscheinend() override { return durchsichtig; }
};

class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() {
        Einstellungen(speicher).setzeUiSprache(u"de"_s);
        Texte::vergissSprache();
        hudModel.setzeZustand(AppZustand::aufnehmend);
    }

    SpeicherDefaultsStore speicher;
    Texte texte{speicher};
    VerlaufStore verlauf{speicher};
    QtMainQueue queue;
    NullArbeitsflaeche arbeitsflaeche;
    NullEscMonitor esc;
    NullKopierablage kopierablage;
    HUDModel hudModel;
    LiveBoxModel liveBoxModel;
    HUDWidget hud{queue, speicher, arbeitsflaeche};
    LiveBoxWidget liveBox{arbeitsflaeche};
};

TEST_F(OverlayTest, TheOverlaysNeverTakeTheFocusAndTheHistoryPanelTakesClicksWithoutIt) {
    KindProzess& probe = prozessDesktop().starte(u"xterm"_s, {u"-title"_s, u"fokus-probe"_s});
    ASSERT_TRUE(probe.gestartet());
    const quint64 xterm = prozessDesktop().warteAufFenster(u"fokus-probe"_s);
    ASSERT_NE(xterm, 0u);
    fuehreAus(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, QString::number(xterm)});
    ASSERT_TRUE(warteQt([&] { return aktivesFenster().toULongLong(nullptr, 16) == xterm; }));
    const QString fokusVorher = eingabeFokus();

    verlauf.hinzufuegen(u"Diktat"_s, u"Hallo Welt"_s);
    GlasVerlaufController glas(verlauf, texte, esc, arbeitsflaeche, kopierablage);
    hud.zeige(hudModel);
    liveBox.zeige(liveBoxModel);
    liveBoxModel.setze(u"eins zwei drei"_s);
    glas.zeigeVerlauf();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hud, fensterFrist));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&liveBox, fensterFrist));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(glas.fenster(), fensterFrist));
    QTest::qWait(300);
    EXPECT_EQ(aktivesFenster().toULongLong(nullptr, 16), xterm);
    EXPECT_EQ(eingabeFokus(), fokusVorher);

    // A click on the copy button works and still leaves the focus where it was.
    QGuiApplication::clipboard()->clear();
    auto* kopieren =
        glas.fenster()->ansicht().karten().front()->findChild<SymbolKnopf*>(u"kopieren"_s);
    klicke(kopieren->mapToGlobal(kopieren->rect().center()));
    EXPECT_TRUE(warteQt([&] { return QGuiApplication::clipboard()->text() == u"Hallo Welt"_s; }));
    EXPECT_TRUE(glas.sichtbar());
    EXPECT_EQ(aktivesFenster().toULongLong(nullptr, 16), xterm);
    EXPECT_EQ(eingabeFokus(), fokusVorher);
    probe.sende(SIGTERM);
}

TEST_F(OverlayTest, ClicksOnTheHUDAndTheLiveBoxGoToTheWindowBelowButTheHistoryPanelTakesThem) {
    Unterlage unterlage;
    unterlage.setGeometry(unterlage.screen()->availableGeometry());
    unterlage.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&unterlage, fensterFrist));
    GlasVerlaufController glas(verlauf, texte, esc, arbeitsflaeche, kopierablage);
    glas.zeigeVerlauf();
    hud.zeige(hudModel);
    liveBox.zeige(liveBoxModel);
    liveBoxModel.setze(u"eins zwei drei"_s);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hud, fensterFrist));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&liveBox, fensterFrist));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(glas.fenster(), fensterFrist));

    // The panel lies above the same way and keeps its click (on its empty state).
    klicke(glas.fenster()->geometry().center());
    QTest::qWait(200);
    EXPECT_EQ(unterlage.klicks, 0);
    // The panel lies over the middle of the screen, where the HUD also is.
    glas.verstecke();
    ASSERT_TRUE(warteQt([&] { return !glas.fenster()->isVisible(); }));
    klicke(hud.geometry().center());
    EXPECT_TRUE(warteQt([&] { return unterlage.klicks == 1; }));
    // The window manager raised the clicked window above the overlays.
    liveBox.raise();
    QTest::qWait(100);
    klicke(liveBox.geometry().center());
    EXPECT_TRUE(warteQt([&] { return unterlage.klicks == 2; }));
}

TEST_F(OverlayTest, WithoutTranslucencyTheHistoryPanelIsCutToItsBody) {
    Unterlage unterlage;
    unterlage.setGeometry(unterlage.screen()->availableGeometry());
    unterlage.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&unterlage, fensterFrist));
    SchaltbareArbeitsflaeche flaeche;
    GlasVerlaufController glas(verlauf, texte, esc, flaeche, kopierablage);
    for (const bool durchsichtig : {true, false}) {
        SCOPED_TRACE(durchsichtig);
        flaeche.durchsichtig = durchsichtig;
        glas.zeigeVerlauf();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(glas.fenster(), fensterFrist));
        // Let the shape reach the X server before the pointer does.
        QTest::qWait(200);
        const int vorher = unterlage.klicks;
        // The corner lies in the shadow, outside the rounded glass body.
        klicke(glas.fenster()->geometry().topLeft() + QPoint(4, 4));
        EXPECT_EQ(warteQt([&] { return unterlage.klicks > vorher; }, 500ms), !durchsichtig);
        glas.verstecke();
        ASSERT_TRUE(warteQt([&] { return !glas.fenster()->isVisible(); }));
    }
}

TEST_F(OverlayTest, DraggingTheHistoryPanelsHeaderMovesItAndItStaysThereWhenShownAgain) {
    GlasVerlaufController glas(verlauf, texte, esc, arbeitsflaeche, kopierablage);
    glas.zeigeVerlauf();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(glas.fenster(), fensterFrist));
    QTest::qWait(200);
    const QPoint vorher = glas.fenster()->pos();
    auto* titel = glas.fenster()->findChild<QWidget*>(u"titel"_s);
    const QPoint griff = titel->mapToGlobal(titel->rect().center());
    const auto xdotool = [](const QStringList& argumente) { fuehreAus(u"xdotool"_s, argumente); };
    xdotool({u"mousemove"_s, QString::number(griff.x()), QString::number(griff.y())});
    xdotool({u"mousedown"_s, u"1"_s});
    for (int schritt = 1; schritt <= 4; ++schritt) {
        xdotool({u"mousemove"_s, QString::number(griff.x() + 25 * schritt),
                 QString::number(griff.y() + 10 * schritt)});
        QTest::qWait(30);
    }
    xdotool({u"mouseup"_s, u"1"_s});
    EXPECT_TRUE(warteQt([&] { return glas.fenster()->pos() == vorher + QPoint(100, 40); }))
        << glas.fenster()->pos().x() << "," << glas.fenster()->pos().y();

    // A new result while it is open leaves it where the user put it.
    verlauf.hinzufuegen(u"Aktion"_s, u"Neu"_s);
    glas.zeigeNeuesErgebnis(u"Neu"_s);
    QTest::qWait(100);
    EXPECT_EQ(glas.fenster()->pos(), vorher + QPoint(100, 40));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Neu"_s);
    EXPECT_TRUE(glas.fenster()->ansicht().karten().front()->hervorgehoben());
}

TEST_F(OverlayTest, TheHUDSitsAtTheBottomCentreAndIsSizedByTheModel) {
    Einstellungen(speicher).setzeHudGroesse(2.0);
    hudModel.ladeDarstellung(Einstellungen(speicher));
    hud.zeige(hudModel);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hud, fensterFrist));
    const QRect frei = hud.screen()->availableGeometry();
    EXPECT_EQ(hud.size(), QSize(720, 360));
    EXPECT_EQ(hud.geometry().center().x(), frei.center().x());
    EXPECT_EQ(hud.geometry().bottom(), frei.bottom() - 120);

    liveBox.zeige(liveBoxModel);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&liveBox, fensterFrist));
    EXPECT_EQ(liveBox.size(), QSize(680, 200));
    EXPECT_EQ(liveBox.geometry().bottom(), frei.bottom() - 220);
}

TEST_F(OverlayTest, HidingDuringTheFadeInEndsHiddenAndStopsTheFrameTimer) {
    hud.zeige(hudModel);
    EXPECT_TRUE(hud.animiert());
    hud.verstecke();
    liveBox.zeige(liveBoxModel);
    liveBoxModel.setze(u"eins"_s);
    liveBox.verstecke();
    EXPECT_TRUE(warteQt([&] { return !hud.isVisible(); }));
    EXPECT_TRUE(warteQt([&] { return !liveBox.isVisible(); }));
    EXPECT_FALSE(hud.animiert());
    EXPECT_FALSE(liveBox.animiert());
    EXPECT_TRUE(ungemappt(hud));
    EXPECT_TRUE(ungemappt(liveBox));

    // Shown for good it animates; hidden again the timer stops.
    hud.zeige(hudModel);
    QTest::qWait(400);
    EXPECT_TRUE(hud.isVisible());
    EXPECT_TRUE(hud.animiert());
    EXPECT_DOUBLE_EQ(hud.windowOpacity(), 1.0);
    hud.verstecke();
    EXPECT_TRUE(warteQt([&] { return !hud.isVisible(); }));
    EXPECT_FALSE(hud.animiert());
}

} // namespace

} // namespace parlix::test
