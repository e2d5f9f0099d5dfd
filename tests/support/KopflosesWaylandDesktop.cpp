#include "tests/support/KopflosesWaylandDesktop.hpp"

#include "tests/support/Sitzungsbus.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

using Uhr = std::chrono::steady_clock;

// The user sway runs as: ourselves, or "nobody" when we are root.
std::optional<passwd> swayNutzer() {
    const passwd* nutzer = getuid() == 0 ? getpwnam("nobody") : getpwuid(getuid());
    return nutzer != nullptr ? std::optional(*nutzer) : std::nullopt;
}

std::optional<QJsonObject> finde(const QJsonObject& knoten, const QString& name,
                                 bool nurFokussiert) {
    const QString klasse = knoten.value(u"window_properties"_s)[u"class"_s].toString();
    if ((knoten.value(u"focused"_s).toBool() || !nurFokussiert) &&
        (knoten.value(u"app_id"_s).toString() == name || klasse == name ||
         knoten.value(u"name"_s).toString() == name)) {
        return knoten;
    }
    for (const QString& feld : {u"nodes"_s, u"floating_nodes"_s}) {
        for (const QJsonValue kind : knoten.value(feld).toArray()) {
            if (auto treffer = finde(kind.toObject(), name, nurFokussiert)) {
                return treffer;
            }
        }
    }
    return std::nullopt;
}

} // namespace

KopflosesWaylandDesktop::KopflosesWaylandDesktop(const Optionen& optionen)
    : verzeichnis_(QDir::tempPath() + u"/parlix-wayland-XXXXXX"_s) {
    if (!verzeichnis_.isValid()) {
        fehler_ = u"no temporary directory"_s;
        return;
    }
    umgebung_.entferne("DISPLAY");
    umgebung_.entferne("WAYLAND_SOCKET");
    umgebung_.setze("XDG_SESSION_TYPE", "wayland");
    umgebung_.setze("XDG_CURRENT_DESKTOP", "sway");
    umgebung_.setze("QT_QPA_PLATFORM", "wayland");
    umgebung_.setze("GDK_BACKEND", "wayland");
    umgebung_.setze("XDG_RUNTIME_DIR", QFile::encodeName(verzeichnis_.path()));
    laeuft_ = starteSway(optionen.xwayland) && (!optionen.xwayland || findeXWayland()) &&
              (!optionen.bus || starteBus()) && starteLeerlaufTastatur();
}

KopflosesWaylandDesktop::~KopflosesWaylandDesktop() {
    for (auto prozess = prozesse_.rbegin(); prozess != prozesse_.rend(); ++prozess) {
        (*prozess)->sende(SIGTERM);
        if (!(*prozess)->warteAufEnde(std::chrono::seconds(3))) {
            (*prozess)->sende(SIGKILL);
            (*prozess)->warteAufEnde(std::chrono::seconds(3));
        }
    }
}

std::unique_ptr<KindProzess>
KopflosesWaylandDesktop::kind(const QString& programm, const QStringList& argumente,
                              const QString& protokoll, std::optional<QStringList> umgebung) const {
    // setpriv ends the child with this process, even when a test aborts.
    return std::make_unique<KindProzess>(
        u"setpriv"_s, QStringList{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, programm} + argumente,
        KindProzess::Optionen{verzeichnis_.path() + u'/' + protokoll + u".log"_s,
                              std::move(umgebung)});
}

bool KopflosesWaylandDesktop::starteSway(bool xwayland) {
    const auto nutzer = swayNutzer();
    if (!nutzer) {
        fehler_ = u"no unprivileged user to run sway as"_s;
        return false;
    }
    const QString pfad = verzeichnis_.path();
    const QByteArray pfadC = QFile::encodeName(pfad);
    if (chown(pfadC.constData(), nutzer->pw_uid, nutzer->pw_gid) != 0) {
        fehler_ = u"cannot hand the runtime folder to the sway user"_s;
        return false;
    }
    QFile::setPermissions(pfad, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile konfig(pfad + u"/sway.conf"_s);
    const QByteArray inhalt = "output HEADLESS-1 resolution 1280x800\n"
                              "focus_follows_mouse no\n"
                              "xwayland " +
                              QByteArray(xwayland ? "enable" : "disable") + '\n';
    if (!konfig.open(QIODevice::WriteOnly) || konfig.write(inhalt) < 0) {
        fehler_ = u"cannot write the sway configuration"_s;
        return false;
    }
    konfig.close();
    QFile::setPermissions(konfig.fileName(), QFile::ReadOwner | QFile::ReadOther);
    const QStringList umgebung{u"PATH=/usr/local/bin:/usr/bin:/bin"_s, u"HOME="_s + pfad,
                               u"XDG_RUNTIME_DIR="_s + pfad,           u"WLR_BACKENDS=headless"_s,
                               u"WLR_LIBINPUT_NO_DEVICES=1"_s,         u"WLR_RENDERER=pixman"_s};
    const QStringList alsNutzer{u"--reuid"_s,        QString::number(nutzer->pw_uid),
                                u"--regid"_s,        QString::number(nutzer->pw_gid),
                                u"--clear-groups"_s, u"--pdeathsig"_s,
                                u"KILL"_s,           u"--"_s,
                                u"sway"_s,           u"-c"_s,
                                konfig.fileName()};
    prozesse_.push_back(std::make_unique<KindProzess>(
        u"setpriv"_s, alsNutzer, KindProzess::Optionen{pfad + u"/sway.log"_s, umgebung}));
    const auto ende = Uhr::now() + std::chrono::seconds(20);
    while (Uhr::now() < ende && !prozesse_.back()->warteAufEnde(std::chrono::milliseconds(20))) {
        const QDir dir(pfad);
        const QStringList wayland = dir.entryList({u"wayland-*"_s}, QDir::System);
        const QStringList ipc = dir.entryList({u"sway-ipc.*.sock"_s}, QDir::System);
        const QString anzeige = wayland.isEmpty() ? QString() : wayland.first();
        if (!anzeige.isEmpty() && !anzeige.endsWith(u".lock"_s) && !ipc.isEmpty()) {
            ipcSocket_ = pfad + u'/' + ipc.first();
            umgebung_.setze("WAYLAND_DISPLAY", anzeige.toUtf8());
            umgebung_.setze("SWAYSOCK", QFile::encodeName(ipcSocket_));
            if (befehl(u"nop"_s)) {
                return true;
            }
        }
    }
    fehler_ = u"sway did not start (see %1/sway.log)"_s.arg(pfad);
    return false;
}

// Only sway knows the display its XWayland got: a program it starts writes it down, after
// letting this process's user in (XWayland admits only the user who runs sway).
bool KopflosesWaylandDesktop::findeXWayland() {
    const QString datei = verzeichnis_.path() + u"/display"_s;
    const passwd* ich = getpwuid(getuid());
    if (ich == nullptr ||
        !befehl(u"exec sh -c 'xhost +si:localuser:%1 >/dev/null; echo $DISPLAY > %2'"_s.arg(
            QString::fromLocal8Bit(ich->pw_name), datei))) {
        fehler_ = u"sway did not run the DISPLAY probe"_s;
        return false;
    }
    const auto ende = Uhr::now() + std::chrono::seconds(20);
    while (Uhr::now() < ende) {
        QFile f(datei);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray anzeige = f.readAll().trimmed();
            if (anzeige.startsWith(':')) {
                umgebung_.setze("DISPLAY", anzeige);
                return true;
            }
        }
        QThread::msleep(20);
    }
    fehler_ = u"sway started no XWayland (see %1/sway.log)"_s.arg(verzeichnis_.path());
    return false;
}

bool KopflosesWaylandDesktop::starteBus() {
    auto bus = kind(u"dbus-daemon"_s,
                    {u"--config-file="_s + sitzungsbusKonfiguration(verzeichnis_.path()),
                     u"--nofork"_s, u"--nopidfile"_s, u"--print-address=1"_s},
                    u"dbus-daemon"_s);
    QByteArray adresse;
    const auto ende = Uhr::now() + std::chrono::seconds(20);
    while (bus->gestartet() && !adresse.contains('\n') && Uhr::now() < ende) {
        adresse += bus->lies(std::chrono::milliseconds(50));
    }
    prozesse_.push_back(std::move(bus));
    if (!adresse.contains('\n')) {
        fehler_ = u"dbus-daemon did not start"_s;
        return false;
    }
    umgebung_.setze("DBUS_SESSION_BUS_ADDRESS", adresse.left(adresse.indexOf('\n')).trimmed());
    // Applications expose their widgets on the accessibility bus that the bus starts on
    // demand; switching it on must not reach the user's own dconf settings.
    umgebung_.entferne("NO_AT_BRIDGE");
    umgebung_.setze("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    umgebung_.setze("GSETTINGS_BACKEND", "memory");
    return true;
}

KindProzess& KopflosesWaylandDesktop::starte(const QString& programm,
                                             const QStringList& argumente) {
    prozesse_.push_back(kind(programm, argumente, QFileInfo(programm).fileName()));
    return *prozesse_.back();
}

bool KopflosesWaylandDesktop::befehl(const QString& befehl) const {
    const auto antwort =
        KindProzess::ausgabe(u"swaymsg"_s, {u"-s"_s, ipcSocket_, befehl}, std::chrono::seconds(5));
    return antwort.has_value();
}

QJsonObject KopflosesWaylandDesktop::baum() const {
    const auto antwort =
        KindProzess::ausgabe(u"swaymsg"_s, {u"-s"_s, ipcSocket_, u"-r"_s, u"-t"_s, u"get_tree"_s},
                             std::chrono::seconds(5));
    return QJsonDocument::fromJson(antwort.value_or(QByteArray())).object();
}

std::optional<QJsonObject>
KopflosesWaylandDesktop::warteAufFokus(const QString& name, std::chrono::milliseconds frist) const {
    return warte(name, true, frist);
}

std::optional<QJsonObject>
KopflosesWaylandDesktop::warteAufFenster(const QString& name,
                                         std::chrono::milliseconds frist) const {
    return warte(name, false, frist);
}

std::optional<QJsonObject> KopflosesWaylandDesktop::warte(const QString& name, bool fokussiert,
                                                          std::chrono::milliseconds frist) const {
    const auto ende = Uhr::now() + frist;
    do {
        if (auto knoten = finde(baum(), name, fokussiert)) {
            return knoten;
        }
        QThread::msleep(30);
    } while (Uhr::now() < ende);
    return std::nullopt;
}

bool KopflosesWaylandDesktop::starteLeerlaufTastatur() {
    // wtype uploads its keymap first and then sleeps (for weeks) before its only key.
    if (!starte(u"wtype"_s, {u"-s"_s, u"2000000000"_s, u"-k"_s, u"Shift_L"_s}).gestartet()) {
        return false;
    }
    // Ready once the seat has it: clients connecting later see a keyboard capability.
    const auto ende = Uhr::now() + std::chrono::seconds(20);
    while (Uhr::now() < ende) {
        const auto geraete = KindProzess::ausgabe(
            u"swaymsg"_s, {u"-s"_s, ipcSocket_, u"-r"_s, u"-t"_s, u"get_inputs"_s},
            std::chrono::seconds(5));
        for (const QJsonValue geraet :
             QJsonDocument::fromJson(geraete.value_or(QByteArray())).array()) {
            if (geraet[u"type"_s].toString() == u"keyboard"_s) {
                return true;
            }
        }
        QThread::msleep(20);
    }
    fehler_ = u"the idle keyboard did not join the seat"_s;
    return false;
}

bool KopflosesWaylandDesktop::tippe(const QStringList& wtypeArgumente) const {
    return KindProzess::ausgabe(u"wtype"_s, wtypeArgumente, std::chrono::seconds(5)).has_value();
}

} // namespace parlix::test
