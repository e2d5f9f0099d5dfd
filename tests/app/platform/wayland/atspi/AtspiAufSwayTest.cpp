// The accessibility reads on a Wayland desktop: the focused field of a Qt and of a GTK
// application under sway, and the program behind the active window. A process of its own:
// libatspi and libdbus keep the first session bus they met for the whole process.
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/atspi/AtspiVordergrundApp.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(AtspiAufSwayTest, LiestQtUndGtkFelderUndNenntDasProgrammDesAktivenFensters) {
    KopflosesWaylandDesktop desktop({.bus = true});
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    AtspiVerbindung atspi;
    ASSERT_TRUE(warteQt([&] { return atspi.erreichbar(); }, std::chrono::seconds(20)));
    AtspiKontext kontext(atspi);
    AtspiVordergrundApp vorn(atspi);
    const auto liest = [](const std::function<QString()>& lesen, const QString& erwartet) {
        QString gelesen;
        const bool ok = warteQt(
            [&] {
                gelesen = lesen();
                return gelesen == erwartet;
            },
            std::chrono::seconds(10));
        return ok ? ::testing::AssertionSuccess()
                  : ::testing::AssertionFailure() << "read \"" << gelesen.toStdString() << '"';
    };

    desktop.starte(QString::fromUtf8(PARLIX_TESTFELD),
                   {u"Qt"_s, u"Hallo schöne Welt"_s, u"6"_s, u"6"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Qt"_s));
    EXPECT_TRUE(liest([&] { return kontext.auswahl(); }, u"schöne"_s));
    EXPECT_EQ(vorn.anwendungsID(), u"parlix_testfeld"_s);

    desktop.starte(u"zenity"_s, {u"--entry"_s, u"--title=Gtk"_s, u"--entry-text=GTK Inhalt"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Gtk"_s));
    EXPECT_TRUE(liest([&] { return kontext.text(); }, u"GTK Inhalt"_s));
    EXPECT_EQ(vorn.anwendungsID(), u"zenity"_s);
}

} // namespace
} // namespace parlix::test
