// The active window as the window manager and the applications describe it, and the
// application id derived from it, on a real X server with openbox and real programs.
#include "app/platform/x11/EwmhAbfrage.hpp"

#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XVerbindung.hpp"
#include "tests/app/platform/x11/X11Test.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

class EwmhAbfrageTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        verbindung_ = XVerbindung::oeffne();
        ASSERT_TRUE(verbindung_.has_value());
    }

    // Starts a program and waits until its window is the active one.
    quint64 starteAktiv(const QString& programm, const QStringList& argumente,
                        const QString& fenstername, KindProzess** prozess = nullptr) {
        KindProzess& kind = desktop().starte(programm, argumente);
        if (prozess != nullptr) {
            *prozess = &kind;
        }
        const quint64 fenster = desktop().warteAufFenster(fenstername);
        EXPECT_NE(fenster, 0u) << fenstername.toStdString();
        EXPECT_TRUE(warteBis([&] { return ewmh().aktivesFenster() == fenster; }));
        return fenster;
    }

    void setzeText(quint64 fenster, const char* eigenschaft, const QByteArray& wert) {
        XChangeProperty(verbindung_->anzeige(), fenster, verbindung_->atom(eigenschaft),
                        verbindung_->atom("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(wert.constData()),
                        static_cast<int>(wert.size()));
        verbindung_->gleicheAb();
    }

    EwmhAbfrage ewmh() const { return EwmhAbfrage(*verbindung_); }

    std::optional<XVerbindung> verbindung_;
};

TEST_F(EwmhAbfrageTest, AktivesFensterMitProzessRahmenUndKlasseBisEsVerschwindet) {
    KindProzess* xterm = nullptr;
    const quint64 fenster =
        starteAktiv(u"xterm"_s, {u"-class"_s, u"ParlixProbe"_s, u"-geometry"_s, u"60x10+40+50"_s},
                    u"ParlixProbe"_s, &xterm);

    EXPECT_EQ(ewmh().pid(fenster), xterm->pid());
    const auto klasse = ewmh().klasse(fenster);
    ASSERT_TRUE(klasse.has_value());
    EXPECT_EQ(klasse->instanz, u"xterm"_s);
    EXPECT_EQ(klasse->klasse, u"ParlixProbe"_s);
    EXPECT_FALSE(ewmh().istVollbild(fenster));
    EXPECT_EQ(ewmh().stapel().front(), fenster);

    // The frame holds the window and openbox's title bar above it.
    XWindowAttributes innen;
    ASSERT_NE(XGetWindowAttributes(verbindung_->anzeige(), fenster, &innen), 0);
    const auto rahmen = ewmh().rahmen(fenster);
    ASSERT_TRUE(rahmen.has_value());
    EXPECT_GT(rahmen->height(), innen.height);
    EXPECT_GE(rahmen->width(), innen.width);
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(*rahmen));

    xterm->sende(SIGKILL);
    ASSERT_TRUE(xterm->warteAufEnde(std::chrono::seconds(5)).has_value());
    ASSERT_TRUE(warteBis([&] { return !ewmh().klasse(fenster).has_value(); }));
    EXPECT_FALSE(ewmh().pid(fenster).has_value());
    EXPECT_FALSE(ewmh().rahmen(fenster).has_value());
    EXPECT_FALSE(ewmh().text(fenster, "_GTK_APPLICATION_ID").has_value());
}

TEST_F(EwmhAbfrageTest, AnwendungsIdVonGtkQtUndEinfachemFenster) {
    // A private set of desktop entries, so that the result does not depend on what the
    // machine has installed.
    QTemporaryDir eintraege;
    ASSERT_TRUE(QDir(eintraege.path()).mkpath(u"sub"_s));
    QFile qt(eintraege.path() + u"/sub/org.qt.dbusviewer.desktop"_s);
    ASSERT_TRUE(qt.open(QIODevice::WriteOnly));
    qt.write("[Desktop Entry]\nName=Viewer\nStartupWMClass=QDBusViewer\n"
             "[Desktop Action x]\nStartupWMClass=Falsch\n");
    qt.close();
    X11VordergrundApp app(DesktopEintraege({eintraege.path()}));

    // GTK: the application id that GtkApplication sets.
    starteAktiv(u"mousepad"_s, {u"--disable-server"_s}, u"Mousepad"_s);
    EXPECT_EQ(app.anwendungsID(), u"org.xfce.mousepad"_s);

    // Qt: no id of its own; the desktop entry found by its window class (the entry's
    // id carries its sub folder), and without such an entry the class itself.
    starteAktiv(u"/usr/lib/qt6/bin/qdbusviewer"_s, {}, u"QDBusViewer"_s);
    EXPECT_EQ(app.anwendungsID(), u"sub-org.qt.dbusviewer"_s);
    starteAktiv(u"/usr/lib/qt6/bin/pixeltool"_s, {}, u"PixelTool"_s);
    EXPECT_EQ(app.anwendungsID(), u"PixelTool"_s);

    // A plain X window: its class; then the ids a toolkit sets come first, GTK's first.
    const quint64 xterm = starteAktiv(u"xterm"_s, {u"-class"_s, u"EinfachesX"_s}, u"EinfachesX"_s);
    EXPECT_EQ(app.anwendungsID(), u"EinfachesX"_s);
    setzeText(xterm, "_KDE_NET_WM_DESKTOP_FILE", "org.kde.probe.desktop");
    EXPECT_EQ(app.anwendungsID(), u"org.kde.probe"_s);
    setzeText(xterm, "_GTK_APPLICATION_ID", "org.gnome.Probe");
    EXPECT_EQ(app.anwendungsID(), u"org.gnome.Probe"_s);
}

} // namespace
} // namespace parlix::test
