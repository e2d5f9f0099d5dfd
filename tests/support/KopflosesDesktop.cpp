#include "tests/support/KopflosesDesktop.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

using Uhr = std::chrono::steady_clock;

// Reads the child's standard output until a full line arrived; "" after `frist`.
QString ersteZeile(KindProzess& prozess, std::chrono::milliseconds frist) {
    const auto ende = Uhr::now() + frist;
    QByteArray gelesen;
    while (!gelesen.contains('\n') && Uhr::now() < ende) {
        gelesen += prozess.lies(std::chrono::milliseconds(50));
        if (prozess.warteAufEnde(std::chrono::milliseconds(0))) {
            gelesen += prozess.lies(std::chrono::milliseconds(0));
            break;
        }
    }
    return QString::fromUtf8(gelesen.left(gelesen.indexOf('\n'))).trimmed();
}

constexpr int kErsteAnzeige = 100;
constexpr int kAnzeigenStreuung = 800;
constexpr int kAnzeigeVersuche = 50;

// Whether an X server may hold display `nummer`: by its lock file, or by a socket in the
// abstract namespace, which clients try first and which a server keeps even after its
// lock file went (Xvfb's own choice looks at the lock files only, and a client would then
// reach the other server).
bool anzeigeBelegt(int nummer) {
    if (QFile::exists(u"/tmp/.X%1-lock"_s.arg(nummer))) {
        return true;
    }
    QFile sockets(u"/proc/net/unix"_s);
    return sockets.open(QIODevice::ReadOnly) &&
           sockets.readAll().contains("@/tmp/.X11-unix/X" + QByteArray::number(nummer) + '\n');
}

bool fuehreAus(const QString& programm, const QStringList& argumente) {
    return KindProzess::ausgabe(programm, argumente, std::chrono::seconds(10)).has_value();
}

} // namespace

KopflosesDesktop::KopflosesDesktop(const Optionen& optionen)
    : verzeichnis_(QDir::tempPath() + u"/parlix-desktop-XXXXXX"_s) {
    if (!verzeichnis_.isValid()) {
        fehler_ = u"no temporary directory"_s;
        return;
    }
    QFile::setPermissions(verzeichnis_.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    umgebung_.entferne("WAYLAND_DISPLAY");
    umgebung_.entferne("NO_AT_BRIDGE");
    umgebung_.setze("XDG_SESSION_TYPE", "x11");
    umgebung_.setze("XDG_RUNTIME_DIR", QFile::encodeName(verzeichnis_.path()));
    umgebung_.setze("QT_QPA_PLATFORM", "xcb");
    umgebung_.setze("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    // Switching accessibility on must not reach the user's own dconf settings.
    umgebung_.setze("GSETTINGS_BACKEND", "memory");
    laeuft_ = starteX(optionen.groesse) && starteBus(optionen.ohneDienste) &&
              (!optionen.barrierefreiheit || schalteBarrierefreiheitEin()) &&
              (!optionen.fensterManager || starteFensterManager());
}

// Applications end first, the bus and the X server last (DesktopProzesse's order).
KopflosesDesktop::~KopflosesDesktop() = default;

bool KopflosesDesktop::starteX(QSize groesse) {
    // Numbers from one that depends on the process, so that test programs started
    // together rarely try the same one first.
    int nummer = kErsteAnzeige + static_cast<int>(::getpid() % kAnzeigenStreuung);
    for (int versuch = 0; versuch < kAnzeigeVersuche; ++versuch, ++nummer) {
        if (anzeigeBelegt(nummer)) {
            continue;
        }
        // -noreset: an X server resets whenever its last client leaves, and drops the
        // connections that come in meanwhile; the short-lived checks below (xprop) would
        // make the next program's connection fail now and then.
        KindProzess& x = prozesse_.starte(
            u"Xvfb"_s,
            {u':' + QString::number(nummer), u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-screen"_s,
             u"0"_s, u"%1x%2x24"_s.arg(groesse.width()).arg(groesse.height()), u"-nolisten"_s,
             u"tcp"_s, u"-ac"_s, u"+extension"_s, u"XTEST"_s, u"+extension"_s, u"RANDR"_s},
            u"Xvfb"_s);
        // Another program may have taken the number meanwhile: the server then ends.
        const QString gemeldet =
            x.gestartet() ? ersteZeile(x, std::chrono::seconds(20)) : QString();
        if (!gemeldet.isEmpty()) {
            anzeige_ = u':' + gemeldet;
            umgebung_.setze("DISPLAY", anzeige_.toUtf8());
            return true;
        }
    }
    fehler_ = u"Xvfb did not start"_s;
    return false;
}

bool KopflosesDesktop::starteBus(const QStringList& ohneDienste) {
    const auto adresse = prozesse_.starteBus(ohneDienste);
    if (!adresse) {
        fehler_ = u"dbus-daemon did not start"_s;
        return false;
    }
    busAdresse_ = QString::fromUtf8(*adresse);
    umgebung_.setze("DBUS_SESSION_BUS_ADDRESS", *adresse);
    return true;
}

bool KopflosesDesktop::schalteBarrierefreiheitEin() {
    // Setting the property activates org.a11y.Bus (at-spi-bus-launcher) through the
    // session bus; asking for the address proves that the accessibility bus is up.
    const QStringList basis{u"--session"_s, u"--print-reply"_s, u"--dest=org.a11y.Bus"_s,
                            u"/org/a11y/bus"_s};
    if (!fuehreAus(u"dbus-send"_s,
                   basis + QStringList{u"org.freedesktop.DBus.Properties.Set"_s,
                                       u"string:org.a11y.Status"_s, u"string:IsEnabled"_s,
                                       u"variant:boolean:true"_s}) ||
        !fuehreAus(u"dbus-send"_s, basis + QStringList{u"org.a11y.Bus.GetAddress"_s})) {
        fehler_ = u"the accessibility bus did not start"_s;
        return false;
    }
    return true;
}

bool KopflosesDesktop::starteFensterManager() {
    // openbox keeps its log under XDG_CACHE_HOME; a private one keeps the user's cache
    // clean and lets a failure report what openbox said.
    prozesse_.starte(
        u"env"_s,
        {u"XDG_CACHE_HOME="_s + verzeichnis_.path() + u"/cache"_s, u"openbox"_s, u"--sm-disable"_s},
        u"openbox"_s);
    // openbox announces itself with _NET_SUPPORTING_WM_CHECK on the root window. On a
    // loaded CI machine that can take several seconds.
    const auto ende = Uhr::now() + std::chrono::seconds(30);
    while (Uhr::now() < ende) {
        const auto ausgabe = KindProzess::ausgabe(
            u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}, std::chrono::seconds(5));
        if (ausgabe && ausgabe->contains("window id")) {
            return true;
        }
        QThread::msleep(25);
    }
    QFile protokoll(verzeichnis_.path() + u"/cache/openbox/openbox.log"_s);
    protokoll.open(QIODevice::ReadOnly);
    fehler_ = u"openbox did not start: "_s + QString::fromUtf8(protokoll.readAll()).trimmed();
    return false;
}

KindProzess& KopflosesDesktop::starte(const QString& programm, const QStringList& argumente) {
    return prozesse_.starte(programm, argumente, QFileInfo(programm).fileName());
}

quint64 KopflosesDesktop::warteAufFenster(const QString& name,
                                          std::chrono::milliseconds frist) const {
    // xwininfo lists each window as: 0x1200007 "title": ("instance" "Class")  WxH+X+Y ...
    static const QRegularExpression zeile(uR"(^\s*(0x[0-9a-f]+) (.*)$)"_s,
                                          QRegularExpression::MultilineOption);
    const auto ende = Uhr::now() + frist;
    while (Uhr::now() < ende) {
        const auto baum =
            KindProzess::ausgabe(u"xwininfo"_s, {u"-root"_s, u"-tree"_s}, std::chrono::seconds(5));
        for (auto treffer = zeile.globalMatch(QString::fromUtf8(baum.value_or(QByteArray())));
             treffer.hasNext();) {
            const auto fenster = treffer.next();
            const QString rest = fenster.captured(2);
            if (rest.contains(name) && !rest.startsWith(u"(has no name): ()"_s)) {
                const auto info = KindProzess::ausgabe(
                    u"xwininfo"_s, {u"-id"_s, fenster.captured(1)}, std::chrono::seconds(5));
                if (info && info->contains("IsViewable")) {
                    return fenster.captured(1).toULongLong(nullptr, 16);
                }
            }
        }
        QThread::msleep(50);
    }
    return 0;
}

} // namespace parlix::test
