#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/DesktopProzesse.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <optional>

namespace parlix::test {

// A private Wayland desktop for one test: sway on a headless output (1280x800, software
// rendering), an idle virtual keyboard kept in its seat (a seat without a keyboard loses
// synthetic keys and GTK never sees the focus), and optionally a D-Bus session bus with
// the accessibility bus behind it.
// sway refuses to run as root, so a root test process starts it as the unprivileged user
// "nobody" in a private runtime folder. While it lives, WAYLAND_DISPLAY, SWAYSOCK and
// XDG_RUNTIME_DIR of this process point at it, DISPLAY is unset (unless XWayland is asked for) and
// Qt and GTK choose Wayland; every process it started ends with it.
class KopflosesWaylandDesktop {
public:
    struct Optionen {
        bool bus = false;
        // sway starts XWayland, and DISPLAY of this process points at it.
        bool xwayland = false;
    };

    KopflosesWaylandDesktop()
        : KopflosesWaylandDesktop(Optionen{}) {}
    explicit KopflosesWaylandDesktop(const Optionen& optionen);
    ~KopflosesWaylandDesktop();
    KopflosesWaylandDesktop(const KopflosesWaylandDesktop&) = delete;
    KopflosesWaylandDesktop& operator=(const KopflosesWaylandDesktop&) = delete;

    bool laeuft() const { return laeuft_; }
    QString fehler() const { return fehler_; }
    QString verzeichnis() const { return verzeichnis_.path(); }
    QString ipcSocket() const { return ipcSocket_; }

    // Starts a program inside this desktop; it ends with the desktop. Its standard error
    // goes to a file in verzeichnis() named after the program.
    KindProzess& starte(const QString& programm, const QStringList& argumente = {});

    // A sway command as the user would give it (swaymsg); whether sway accepted it.
    bool befehl(const QString& befehl) const;
    // sway's window tree.
    QJsonObject baum() const;
    // Waits until a window whose app id, X class or title equals `name` has the focus;
    // its node in the tree, or nothing after `frist`.
    std::optional<QJsonObject>
    warteAufFokus(const QString& name,
                  std::chrono::milliseconds frist = std::chrono::seconds(20)) const;

    // The same for a window that need not have the focus.
    std::optional<QJsonObject>
    warteAufFenster(const QString& name,
                    std::chrono::milliseconds frist = std::chrono::seconds(20)) const;

    // Types as the user would, through a virtual keyboard of its own (wtype arguments,
    // e.g. {"-P", "Control_L"} holds Control).
    bool tippe(const QStringList& wtypeArgumente) const;

private:
    bool starteSway(bool xwayland);
    bool findeXWayland();
    bool starteBus();
    bool starteLeerlaufTastatur();
    std::optional<QJsonObject> warte(const QString& name, bool fokussiert,
                                     std::chrono::milliseconds frist) const;

    QTemporaryDir verzeichnis_;
    QString ipcSocket_;
    DesktopProzesse prozesse_{verzeichnis_.path()};
    bool laeuft_ = false;
    QString fehler_;
    GesetzteUmgebung umgebung_;
};

} // namespace parlix::test
