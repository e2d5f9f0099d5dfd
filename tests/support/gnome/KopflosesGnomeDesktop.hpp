#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/DesktopProzesse.hpp"
#include "tests/support/GesetzteUmgebung.hpp"

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <memory>
#include <optional>

namespace parlix {
class FernAblage;
class MutterFernsteuerung;
} // namespace parlix

namespace parlix::test {

// A private GNOME desktop for one test program: Mutter 43 alone or the whole GNOME Shell on
// a headless 1280x800 monitor, a private session bus and an empty private bus standing in
// for the system bus (the Shell gives up without one where logind's seats exist). The
// buses activate no portal: those this desktop offers (optionally xdg-desktop-portal with
// the GNOME and GTK backends only) are started here, so a test never meets whichever
// portals the machine has installed. A remote-desktop
// session of its own holds a virtual keyboard for the desktop's life: a headless seat
// without one loses the first synthetic key and GTK never sees the focus. The Shell's
// overview, open at start, is closed, so typed keys reach windows. While it lives, this
// process's environment points at it (WAYLAND_DISPLAY, the buses, XDG_RUNTIME_DIR, GNOME
// as the desktop, DISPLAY unset); every process it started ends with it.
class KopflosesGnomeDesktop {
public:
    struct Optionen {
        bool shell = false;   // gnome-shell instead of Mutter alone
        bool portale = false; // xdg-desktop-portal with GNOME's backends
    };

    explicit KopflosesGnomeDesktop(const Optionen& optionen);
    ~KopflosesGnomeDesktop();
    KopflosesGnomeDesktop(const KopflosesGnomeDesktop&) = delete;
    KopflosesGnomeDesktop& operator=(const KopflosesGnomeDesktop&) = delete;

    // A compositor that cannot start says why in fehler().
    bool laeuft() const { return laeuft_; }
    QString fehler() const { return fehler_; }
    QString verzeichnis() const { return verzeichnis_.path(); }
    // From the start until the compositor answered on the bus, and until all was ready.
    std::chrono::milliseconds compositorNach() const { return compositorNach_; }
    std::chrono::milliseconds bereitNach() const { return bereitNach_; }

    // Starts a program inside this desktop; it ends with the desktop. Its standard error
    // goes to a file in verzeichnis() named after the program.
    KindProzess& starte(const QString& programm, const QStringList& argumente = {});

    // Waits until the accessibility bus reports a window of the application `name` active;
    // false after `frist`.
    bool warteAufFokus(const QString& name,
                       std::chrono::milliseconds frist = std::chrono::seconds(20)) const;

    // Types a key as the user would (a keysym, pressed and released).
    bool tippe(quint32 keysym);
    // The clipboard as another program of the user's sees and sets it: served on a thread
    // of its own, as another process would, so that Parlix may read it on this one.
    FernAblage& nutzerAblage() { return *nutzerAblage_; }

private:
    bool starteBusse();
    bool starteCompositor(bool shell);
    bool schliesseUebersicht();
    bool halteTastatur();
    bool startePortale();
    bool warteAufDienst(const QString& name, std::chrono::seconds frist) const;
    std::optional<QString> starteBus(const QString& name);
    KindProzess& kind(const QString& programm, const QStringList& argumente,
                      std::optional<QStringList> umgebung = std::nullopt);

    QTemporaryDir verzeichnis_;
    DesktopProzesse prozesse_{verzeichnis_.path()};
    std::optional<QDBusConnection> bus_;
    std::unique_ptr<MutterFernsteuerung> tastatur_;
    std::unique_ptr<FernAblage> nutzerAblage_;
    QThread ablageFaden_;
    bool laeuft_ = false;
    QString fehler_;
    std::chrono::milliseconds compositorNach_{0};
    std::chrono::milliseconds bereitNach_{0};
    GesetzteUmgebung umgebung_;
};

} // namespace parlix::test
