#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/DesktopProzesse.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

namespace parlix::test {

// A private KDE Plasma desktop for one test: the real KWin on a virtual output (1280x800)
// with a session bus of its own, and the real desktop portal with KDE's backend alone,
// in a private runtime folder and home. While it lives, WAYLAND_DISPLAY,
// DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR, HOME and the XDG folders of this process
// point at it, DISPLAY is unset, XDG_CURRENT_DESKTOP is "KDE", and Qt and GTK choose
// Wayland; every process it started ends with it. Where KWin cannot start, laeuft() is
// false and fehler() says why: a test must fail then, not skip.
class KopflosesKdeDesktop {
public:
    struct Optionen {
        // Programs that KWin lets bind its fake input and window management, as the
        // desktop entry of an installed program does; the test program itself always.
        QStringList vertraut;
    };

    KopflosesKdeDesktop()
        : KopflosesKdeDesktop(Optionen{}) {}
    explicit KopflosesKdeDesktop(const Optionen& optionen);
    ~KopflosesKdeDesktop();
    KopflosesKdeDesktop(const KopflosesKdeDesktop&) = delete;
    KopflosesKdeDesktop& operator=(const KopflosesKdeDesktop&) = delete;

    bool laeuft() const { return laeuft_; }
    QString fehler() const { return fehler_; }
    QString verzeichnis() const { return verzeichnis_.path(); }
    // From the start to the portal's readiness.
    std::chrono::milliseconds startdauer() const { return startdauer_; }

    // Starts a program inside this desktop; it ends with the desktop. Its standard error
    // goes to a file in verzeichnis() named after the program.
    KindProzess& starte(const QString& programm, const QStringList& argumente = {});

private:
    bool richteEin(const QStringList& vertraut);
    bool starteBus();
    bool starteKWin();
    bool startePortal();
    bool warteAufDienst(const QString& dienst, const QString& protokoll);
    QString kwinProgramm();

    QTemporaryDir verzeichnis_;
    DesktopProzesse prozesse_{verzeichnis_.path()};
    bool laeuft_ = false;
    QString fehler_;
    std::chrono::milliseconds startdauer_{0};
    GesetzteUmgebung umgebung_;
};

} // namespace parlix::test
