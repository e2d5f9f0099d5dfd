#include "tests/support/KopflosesKdeDesktop.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

using Uhr = std::chrono::steady_clock;

const QString kAnzeige = u"wayland-kde"_s;

// A helper program of the desktop, wherever the distribution keeps them.
QString hilfsprogramm(const QString& name) {
    QStringList orte{u"/usr/libexec"_s};
    for (const QString& ordner : QDir(u"/usr/lib"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        orte << u"/usr/lib/"_s + ordner + u"/libexec"_s;
    }
    for (const QString& ort : orte) {
        if (QFileInfo(ort + u'/' + name).isExecutable()) {
            return ort + u'/' + name;
        }
    }
    return name;
}

bool schreibe(const QString& datei, const QByteArray& inhalt) {
    QFile f(datei);
    return f.open(QIODevice::WriteOnly) && f.write(inhalt) == inhalt.size();
}

} // namespace

KopflosesKdeDesktop::KopflosesKdeDesktop(const Optionen& optionen)
    : verzeichnis_(QDir::tempPath() + u"/parlix-kde-XXXXXX"_s) {
    const auto beginn = Uhr::now();
    if (!verzeichnis_.isValid()) {
        fehler_ = u"no temporary directory"_s;
        return;
    }
    laeuft_ = richteEin(optionen.vertraut) && starteBus() && starteKWin() && startePortal();
    startdauer_ = std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - beginn);
}

KopflosesKdeDesktop::~KopflosesKdeDesktop() = default;

// The private folders and the environment every process of the desktop inherits (the bus
// hands it to what it starts), and the desktop entries that grant KWin's restricted
// interfaces to the programs named by their path.
bool KopflosesKdeDesktop::richteEin(const QStringList& vertraut) {
    const QString wurzel = verzeichnis_.path();
    const QString anwendungen = wurzel + u"/home/.local/share/applications"_s;
    if (!QDir().mkpath(wurzel + u"/run"_s) || !QDir().mkpath(anwendungen) ||
        !QDir().mkpath(wurzel + u"/portale"_s)) {
        fehler_ = u"cannot create the desktop's folders"_s;
        return false;
    }
    QFile::setPermissions(wurzel + u"/run"_s,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The portal knows KDE's backend alone, whatever else the machine has installed.
    if (!QFile::copy(u"/usr/share/xdg-desktop-portal/portals/kde.portal"_s,
                     wurzel + u"/portale/kde.portal"_s)) {
        fehler_ = u"no KDE portal backend installed (xdg-desktop-portal-kde)"_s;
        return false;
    }
    QStringList programme = vertraut;
    programme << QFileInfo(u"/proc/self/exe"_s).canonicalFilePath();
    for (const QString& programm : programme) {
        const QString pfad = QFileInfo(programm).canonicalFilePath();
        const QByteArray eintrag =
            "[Desktop Entry]\nType=Application\nName=" + QFileInfo(pfad).fileName().toUtf8() +
            "\nExec=" + pfad.toUtf8() +
            "\nNoDisplay=true\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input,"
            "org_kde_plasma_window_management\n"
            "X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2\n";
        if (!schreibe(anwendungen + u"/test-"_s + QFileInfo(pfad).fileName() + u".desktop"_s,
                      eintrag)) {
            fehler_ = u"cannot write the desktop entries"_s;
            return false;
        }
    }
    const QByteArray home = QFile::encodeName(wurzel + u"/home"_s);
    umgebung_.entferne("DISPLAY");
    umgebung_.entferne("WAYLAND_SOCKET");
    umgebung_.entferne("SWAYSOCK");
    umgebung_.entferne("HYPRLAND_INSTANCE_SIGNATURE");
    umgebung_.entferne("NO_AT_BRIDGE");
    umgebung_.setze("XDG_RUNTIME_DIR", QFile::encodeName(wurzel + u"/run"_s));
    umgebung_.setze("HOME", home);
    umgebung_.setze("XDG_CONFIG_HOME", home + "/.config");
    umgebung_.setze("XDG_DATA_HOME", home + "/.local/share");
    umgebung_.setze("XDG_CACHE_HOME", home + "/.cache");
    umgebung_.setze("XDG_DESKTOP_PORTAL_DIR", QFile::encodeName(wurzel + u"/portale"_s));
    umgebung_.setze("XDG_SESSION_TYPE", "wayland");
    umgebung_.setze("XDG_CURRENT_DESKTOP", "KDE");
    umgebung_.setze("KDE_SESSION_VERSION", "5");
    umgebung_.setze("KDE_FULL_SESSION", "true");
    umgebung_.setze("QT_QPA_PLATFORM", "wayland");
    umgebung_.setze("GDK_BACKEND", "wayland");
    umgebung_.setze("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    umgebung_.setze("GSETTINGS_BACKEND", "memory");
    return true;
}

bool KopflosesKdeDesktop::starteBus() {
    const auto adresse = prozesse_.starteBus();
    if (!adresse) {
        fehler_ = u"dbus-daemon did not start"_s;
        return false;
    }
    umgebung_.setze("DBUS_SESSION_BUS_ADDRESS", *adresse);
    return true;
}

// The installed kwin_wayland carries a file capability that a sandbox without it may
// refuse to execute; a copy without the capability runs the same.
QString KopflosesKdeDesktop::kwinProgramm() {
    const auto laeuft = [](const QString& programm) {
        return KindProzess::ausgabe(programm, {u"--version"_s}, std::chrono::seconds(10))
            .has_value();
    };
    const QString installiert = u"/usr/bin/kwin_wayland"_s;
    if (laeuft(installiert)) {
        return installiert;
    }
    const QString kopie = verzeichnis_.path() + u"/kwin_wayland"_s;
    if (QFile::copy(installiert, kopie) && laeuft(kopie)) {
        return kopie;
    }
    return {};
}

bool KopflosesKdeDesktop::starteKWin() {
    const QString kwin = kwinProgramm();
    if (kwin.isEmpty()) {
        fehler_ = u"kwin_wayland does not run here (installed: %1)"_s.arg(
            QFileInfo::exists(u"/usr/bin/kwin_wayland"_s) ? u"yes"_s : u"no, run scripts/deps"_s);
        return false;
    }
    prozesse_.starte(kwin,
                     {u"--virtual"_s, u"--no-lockscreen"_s, u"--no-kactivities"_s, u"--socket"_s,
                      kAnzeige, u"--width"_s, u"1280"_s, u"--height"_s, u"800"_s},
                     u"kwin_wayland"_s);
    if (!warteAufDienst(u"org.kde.KWin"_s, u"kwin_wayland"_s)) {
        return false;
    }
    umgebung_.setze("WAYLAND_DISPLAY", kAnzeige.toUtf8());
    return true;
}

bool KopflosesKdeDesktop::startePortal() {
    prozesse_.starte(hilfsprogramm(u"xdg-desktop-portal-kde"_s), {}, u"xdg-desktop-portal-kde"_s);
    if (!warteAufDienst(u"org.freedesktop.impl.portal.desktop.kde"_s,
                        u"xdg-desktop-portal-kde"_s)) {
        return false;
    }
    prozesse_.starte(hilfsprogramm(u"xdg-desktop-portal"_s), {u"-r"_s}, u"xdg-desktop-portal"_s);
    return warteAufDienst(u"org.freedesktop.portal.Desktop"_s, u"xdg-desktop-portal"_s);
}

bool KopflosesKdeDesktop::warteAufDienst(const QString& dienst, const QString& protokoll) {
    const auto ende = Uhr::now() + std::chrono::seconds(30);
    while (Uhr::now() < ende) {
        const auto antwort =
            KindProzess::ausgabe(u"dbus-send"_s,
                                 {u"--session"_s, u"--print-reply"_s,
                                  u"--dest=org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                  u"org.freedesktop.DBus.NameHasOwner"_s, u"string:"_s + dienst},
                                 std::chrono::seconds(5));
        if (antwort && antwort->contains("boolean true")) {
            return true;
        }
        QThread::msleep(20);
    }
    fehler_ = u"%1 did not appear on the bus (see %2/%3.log)"_s.arg(dienst, verzeichnis_.path(),
                                                                    protokoll);
    return false;
}

KindProzess& KopflosesKdeDesktop::starte(const QString& programm, const QStringList& argumente) {
    return prozesse_.starte(programm, argumente, QFileInfo(programm).fileName());
}

} // namespace parlix::test
