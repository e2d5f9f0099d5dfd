#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/DesktopProzesse.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

namespace parlix::test {

// A private X11 desktop for one test: Xvfb on a display it picks itself, optionally the
// openbox window manager (for EWMH: active window, full screen), and a D-Bus session bus
// whose accessibility bus is switched on before any application starts (Qt and GTK apps
// expose themselves only if it exists when they start). While it lives, DISPLAY,
// DBUS_SESSION_BUS_ADDRESS and XDG_RUNTIME_DIR of this process point at it; every
// process it started ends with it (also when the test aborts). Works as root.
class KopflosesDesktop {
public:
    struct Optionen {
        bool fensterManager = true;
        bool barrierefreiheit = true;
        QSize groesse{1280, 800};
        // Names the session bus must not start on demand, as on a desktop that lacks
        // them ("org.freedesktop.secrets": no keyring answers); the others, except the
        // desktop portals, it starts as the machine's own session bus does.
        QStringList ohneDienste{};
    };

    KopflosesDesktop()
        : KopflosesDesktop(Optionen{}) {}
    explicit KopflosesDesktop(const Optionen& optionen);
    ~KopflosesDesktop();
    KopflosesDesktop(const KopflosesDesktop&) = delete;
    KopflosesDesktop& operator=(const KopflosesDesktop&) = delete;

    // False when a part did not come up; fehler() says which and why.
    bool laeuft() const { return laeuft_; }
    QString fehler() const { return fehler_; }

    // ":N"
    QString anzeige() const { return anzeige_; }
    QString busAdresse() const { return busAdresse_; }
    // A private folder that lives as long as the desktop.
    QString verzeichnis() const { return verzeichnis_.path(); }

    // Starts a program inside this desktop (its display and buses; Qt apps with
    // accessibility on). It is killed when the desktop ends. Its standard error goes to a
    // file in verzeichnis() named after the program.
    KindProzess& starte(const QString& programm, const QStringList& argumente = {});

    // Waits until a top-level window whose WM_CLASS (instance or class) or title contains
    // `name` is mapped; its X window id, or 0 after `frist`.
    quint64 warteAufFenster(const QString& name,
                            std::chrono::milliseconds frist = std::chrono::seconds(20)) const;

private:
    bool starteX(QSize groesse);
    bool starteFensterManager();
    bool starteBus(const QStringList& ohneDienste);
    bool schalteBarrierefreiheitEin();

    QTemporaryDir verzeichnis_;
    QString anzeige_;
    QString busAdresse_;
    DesktopProzesse prozesse_{verzeichnis_.path()};
    bool laeuft_ = false;
    QString fehler_;
    GesetzteUmgebung umgebung_;
};

} // namespace parlix::test
