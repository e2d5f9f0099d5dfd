#include "tests/support/gnome/KopflosesGnomeDesktop.hpp"

#include "app/platform/wayland/FernAblage.hpp"
#include "app/platform/wayland/mutter/MutterFernsteuerung.hpp"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

using Uhr = std::chrono::steady_clock;

const QString kAnzeige = u"parlix-gnome"_s;

std::chrono::milliseconds seit(Uhr::time_point anfang) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - anfang);
}

bool warte(const std::function<bool()>& bedingung, std::chrono::seconds frist) {
    const auto ende = Uhr::now() + frist;
    while (!bedingung()) {
        if (Uhr::now() >= ende) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

} // namespace

KopflosesGnomeDesktop::KopflosesGnomeDesktop(const Optionen& optionen)
    : verzeichnis_(QDir::tempPath() + u"/parlix-gnome-XXXXXX"_s) {
    const auto anfang = Uhr::now();
    if (!verzeichnis_.isValid() || !QDir(verzeichnis_.path()).mkpath(u"home"_s)) {
        fehler_ = u"no temporary directory"_s;
        return;
    }
    QFile::setPermissions(verzeichnis_.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    umgebung_.entferne("DISPLAY");
    umgebung_.entferne("WAYLAND_SOCKET");
    umgebung_.entferne("SWAYSOCK");
    umgebung_.entferne("NO_AT_BRIDGE");
    umgebung_.setze("XDG_RUNTIME_DIR", QFile::encodeName(verzeichnis_.path()));
    umgebung_.setze("XDG_SESSION_TYPE", "wayland");
    umgebung_.setze("XDG_CURRENT_DESKTOP", "GNOME");
    umgebung_.setze("QT_QPA_PLATFORM", "wayland");
    umgebung_.setze("GDK_BACKEND", "wayland");
    umgebung_.setze("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    // The Shell, GTK and the portals must not reach the user's own dconf settings.
    umgebung_.setze("GSETTINGS_BACKEND", "memory");
    laeuft_ = starteBusse() && starteCompositor(optionen.shell);
    compositorNach_ = seit(anfang);
    laeuft_ = laeuft_ && (!optionen.shell || schliesseUebersicht()) && halteTastatur() &&
              (!optionen.portale || startePortale());
    bereitNach_ = seit(anfang);
}

KopflosesGnomeDesktop::~KopflosesGnomeDesktop() {
    ablageFaden_.quit();
    ablageFaden_.wait();
    nutzerAblage_.reset();
    tastatur_.reset();
    if (bus_) {
        QDBusConnection::disconnectFromBus(bus_->name());
    }
}

KindProzess& KopflosesGnomeDesktop::kind(const QString& programm, const QStringList& argumente,
                                         std::optional<QStringList> umgebung) {
    return prozesse_.starte(programm, argumente, QFileInfo(programm).fileName(),
                            std::move(umgebung));
}

KindProzess& KopflosesGnomeDesktop::starte(const QString& programm, const QStringList& argumente) {
    return kind(programm, argumente);
}

std::optional<QString> KopflosesGnomeDesktop::starteBus(const QString& name) {
    // Both buses start what the machine offers, portals excepted: those this desktop
    // offers it starts itself.
    const auto adresse = prozesse_.starteBus();
    if (!adresse) {
        fehler_ = u"dbus-daemon (%1) did not start"_s.arg(name);
        return std::nullopt;
    }
    return QString::fromUtf8(*adresse);
}

bool KopflosesGnomeDesktop::starteBusse() {
    const auto sitzung = starteBus(u"sitzungsbus"_s);
    const auto system = sitzung ? starteBus(u"systembus"_s) : std::nullopt;
    if (!system) {
        return false;
    }
    umgebung_.setze("DBUS_SESSION_BUS_ADDRESS", sitzung->toUtf8());
    umgebung_.setze("DBUS_SYSTEM_BUS_ADDRESS", system->toUtf8());
    bus_ = QDBusConnection::connectToBus(*sitzung, u"gnome-desktop:"_s + verzeichnis_.path());
    if (!bus_->isConnected()) {
        fehler_ = u"cannot connect to the private session bus"_s;
        return false;
    }
    return true;
}

bool KopflosesGnomeDesktop::warteAufDienst(const QString& name, std::chrono::seconds frist) const {
    return warte([&] { return bus_->interface()->isServiceRegistered(name).value(); }, frist);
}

bool KopflosesGnomeDesktop::starteCompositor(bool shell) {
    const QString programm = shell ? u"gnome-shell"_s : u"mutter"_s;
    // Its own home, so that nothing of the machine's user is read or written.
    QStringList umgebung = QProcessEnvironment::systemEnvironment().toStringList();
    umgebung << u"HOME="_s + verzeichnis_.path() + u"/home"_s;
    KindProzess& compositor =
        kind(programm,
             {u"--headless"_s, u"--wayland"_s, u"--no-x11"_s, u"--wayland-display="_s + kAnzeige,
              u"--virtual-monitor"_s, u"1280x800"_s},
             umgebung);
    const QString socket = verzeichnis_.path() + u'/' + kAnzeige;
    if (!compositor.gestartet() ||
        !warte([&] { return QFileInfo::exists(socket); }, std::chrono::seconds(30)) ||
        !warteAufDienst(u"org.gnome.Mutter.RemoteDesktop"_s, std::chrono::seconds(30))) {
        fehler_ = u"%1 did not start (see %2/%1.log)"_s.arg(programm, verzeichnis_.path());
        return false;
    }
    umgebung_.setze("WAYLAND_DISPLAY", kAnzeige.toUtf8());
    return true;
}

// The Shell opens its overview at start; keys typed then land in its search field.
bool KopflosesGnomeDesktop::schliesseUebersicht() {
    const auto uebersicht = [this](std::optional<bool> setzen) {
        QDBusMessage aufruf = QDBusMessage::createMethodCall(
            u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s, u"org.freedesktop.DBus.Properties"_s,
            setzen ? u"Set"_s : u"Get"_s);
        aufruf << u"org.gnome.Shell"_s << u"OverviewActive"_s;
        if (setzen) {
            aufruf << QVariant::fromValue(QDBusVariant(*setzen));
        }
        const QDBusMessage antwort = bus_->call(aufruf, QDBus::Block, 2000);
        return antwort.type() == QDBusMessage::ReplyMessage &&
               (setzen ||
                qdbus_cast<QDBusVariant>(antwort.arguments().value(0)).variant().toBool());
    };
    // Closed only once it has opened, or it opens after being closed.
    warte([&] { return uebersicht(std::nullopt); }, std::chrono::seconds(15));
    if (warte([&] { return uebersicht(false) && !uebersicht(std::nullopt); },
              std::chrono::seconds(5))) {
        return true;
    }
    fehler_ = u"the Shell's overview stays open"_s;
    return false;
}

bool KopflosesGnomeDesktop::halteTastatur() {
    tastatur_ = std::make_unique<MutterFernsteuerung>(*bus_);
    if (!tastatur_->starte()) {
        fehler_ = u"Mutter refused a remote-desktop session (see %1/mutter.log)"_s.arg(
            verzeichnis_.path());
        return false;
    }
    nutzerAblage_ = std::make_unique<FernAblage>(*bus_, tastatur_->ablageWeg());
    ablageFaden_.start();
    nutzerAblage_->moveToThread(&ablageFaden_);
    return true;
}

bool KopflosesGnomeDesktop::startePortale() {
    // xdg-desktop-portal picks its backends from this folder: GNOME's and GTK's only (the
    // GTK one asks the user where GNOME's does not), or it falls back to any other
    // desktop's installed here.
    const QString portale = verzeichnis_.path() + u"/portale"_s;
    QDir().mkpath(portale);
    bool gestartet = true;
    for (const QString& backend : {u"gnome"_s, u"gtk"_s}) {
        QFile::copy(u"/usr/share/xdg-desktop-portal/portals/%1.portal"_s.arg(backend),
                    u"%1/%2.portal"_s.arg(portale, backend));
        gestartet = gestartet &&
                    kind(u"/usr/libexec/xdg-desktop-portal-"_s + backend, {}).gestartet() &&
                    warteAufDienst(u"org.freedesktop.impl.portal.desktop."_s + backend,
                                   std::chrono::seconds(20));
    }
    umgebung_.setze("XDG_DESKTOP_PORTAL_DIR", QFile::encodeName(portale));
    gestartet = gestartet && kind(u"/usr/libexec/xdg-desktop-portal"_s, {u"-r"_s}).gestartet() &&
                warteAufDienst(u"org.freedesktop.portal.Desktop"_s, std::chrono::seconds(20));
    if (!gestartet) {
        fehler_ =
            u"the portal or its GNOME backends did not start (see %1)"_s.arg(verzeichnis_.path());
    }
    return gestartet;
}

bool KopflosesGnomeDesktop::warteAufFokus(const QString& name,
                                          std::chrono::milliseconds frist) const {
    // What the accessibility bus reports, asked by a program of its own: the test's view
    // does not go through the code under test. A window of `name` must be active.
    static const QString kFrage = uR"(
import sys, pyatspi
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == sys.argv[1]:
        for fenster in app:
            if fenster is not None and fenster.getState().contains(pyatspi.STATE_ACTIVE):
                sys.exit(0)
sys.exit(1)
)"_s;
    return warte(
        [&] {
            return KindProzess::ausgabe(u"/usr/bin/python3"_s, {u"-c"_s, kFrage, name},
                                        std::chrono::seconds(5))
                .has_value();
        },
        std::chrono::duration_cast<std::chrono::seconds>(frist));
}

bool KopflosesGnomeDesktop::tippe(quint32 keysym) {
    return tastatur_->tippe({false, false, keysym});
}

} // namespace parlix::test
