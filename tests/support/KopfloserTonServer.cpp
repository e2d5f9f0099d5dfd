#include "tests/support/KopfloserTonServer.hpp"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

constexpr const char* kClientVariablen[] = {"PULSE_SERVER", "PULSE_CLIENTCONFIG", "PULSE_COOKIE"};

void schreibeInFifo(const QString& pfad, const QByteArray& pcm) {
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    qsizetype geschrieben = 0;
    while (geschrieben < pcm.size()) {
        const ssize_t n = ::write(fd, pcm.constData() + geschrieben,
                                  static_cast<size_t>(pcm.size() - geschrieben));
        if (n <= 0) {
            break;
        }
        geschrieben += n;
    }
    ::close(fd);
}

} // namespace

KopfloserTonServer::KopfloserTonServer()
    : verzeichnis_(QDir::tempPath() + u"/parlix-ton-XXXXXX"_s) {
    setzeUmgebung();
    laeuft_ = starte();
}

KopfloserTonServer::~KopfloserTonServer() {
    fortsetzen();
    warteAufSpeisung();
    if (prozess_) {
        prozess_->sende(SIGTERM);
        prozess_->warteAufEnde(std::chrono::seconds(5));
    }
}

void KopfloserTonServer::setzeUmgebung() {
    const QString basis = verzeichnis_.path();
    QFile konfig(basis + u"/client.conf"_s);
    if (konfig.open(QIODevice::WriteOnly)) {
        konfig.write("autospawn = no\n");
    }
    const QByteArray werte[] = {QFile::encodeName(u"unix:"_s + basis + u"/native"_s),
                                QFile::encodeName(basis + u"/client.conf"_s),
                                QFile::encodeName(basis + u"/cookie"_s)};
    for (std::size_t i = 0; i < std::size(kClientVariablen); ++i) {
        umgebung_.setze(kClientVariablen[i], werte[i]);
    }
}

bool KopfloserTonServer::starte() {
    if (!verzeichnis_.isValid()) {
        fehler_ = u"no temporary directory"_s;
        return false;
    }
    const QString basis = verzeichnis_.path();
    QFile skript(basis + u"/start.pa"_s);
    if (!skript.open(QIODevice::WriteOnly)) {
        fehler_ = u"cannot write the start script"_s;
        return false;
    }
    skript.write(u"load-module module-native-protocol-unix socket=%1/native auth-anonymous=1\n"
                 "load-module module-null-sink sink_name=%2 "
                 "sink_properties=device.description=Testausgabe\n"
                 "load-module module-pipe-source source_name=%3 file=%4 format=s16le rate=16000 "
                 "channels=1 source_properties=device.description=Testmikrofon\n"
                 "set-default-sink %2\nset-default-source %3\n"_s
                     .arg(basis, QLatin1StringView(kSenke), QLatin1StringView(kQuelle), fifo())
                     .toUtf8());
    skript.close();

    // Everything the server keeps lives in the private directory; no session bus. setpriv
    // makes it end with this process, even when a test aborts.
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : kClientVariablen) {
        umgebung.remove(QString::fromLatin1(name));
    }
    umgebung.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    umgebung.remove(u"DISPLAY"_s);
    umgebung.insert(u"HOME"_s, basis);
    umgebung.insert(u"XDG_RUNTIME_DIR"_s, basis);
    umgebung.insert(u"XDG_CONFIG_HOME"_s, basis + u"/konfig"_s);
    umgebung.insert(u"PULSE_RUNTIME_PATH"_s, basis + u"/laufzeit"_s);
    umgebung.insert(u"PULSE_STATE_PATH"_s, basis + u"/zustand"_s);
    prozess_ = std::make_unique<KindProzess>(
        u"setpriv"_s,
        QStringList{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, u"pulseaudio"_s, u"-n"_s, u"-F"_s,
                    skript.fileName(), u"--daemonize=no"_s, u"--exit-idle-time=-1"_s,
                    u"--use-pid-file=no"_s, u"--realtime=no"_s, u"--high-priority=no"_s,
                    u"--log-target=stderr"_s, u"--log-level=error"_s},
        KindProzess::Optionen{basis + u"/server.log"_s, umgebung.toStringList()});
    if (!prozess_->gestartet()) {
        fehler_ = u"pulseaudio could not be started"_s;
        return false;
    }
    for (int versuch = 0; versuch < 200; ++versuch) {
        if (pactl({u"info"_s})) {
            return true;
        }
        if (prozess_->warteAufEnde(std::chrono::milliseconds(25))) {
            break;
        }
    }
    QFile protokoll(basis + u"/server.log"_s);
    protokoll.open(QIODevice::ReadOnly);
    fehler_ = u"pulseaudio did not answer: "_s + QString::fromUtf8(protokoll.readAll());
    return false;
}

QString KopfloserTonServer::fifo(const QString& quelle) const {
    return verzeichnis_.path() + u'/' + (quelle.isEmpty() ? QString::fromLatin1(kQuelle) : quelle) +
           u".fifo"_s;
}

bool KopfloserTonServer::ladePipeQuelle(const QString& name, const QString& beschreibung) {
    return pactl({u"load-module"_s, u"module-pipe-source"_s, u"source_name="_s + name,
                  u"file="_s + fifo(name), u"format=s16le"_s, u"rate=16000"_s, u"channels=1"_s,
                  u"source_properties=\"device.description='"_s + beschreibung + u"'\""_s})
        .has_value();
}

bool KopfloserTonServer::ladeNullSenke(const QString& name, const QString& beschreibung) {
    return pactl({u"load-module"_s, u"module-null-sink"_s, u"sink_name="_s + name,
                  u"sink_properties=\"device.description='"_s + beschreibung + u"'\""_s})
        .has_value();
}

void KopfloserTonServer::speise(const QByteArray& pcm, const QString& quelle) {
    schreiber_.emplace_back(schreibeInFifo, fifo(quelle), pcm);
}

void KopfloserTonServer::warteAufSpeisung() {
    for (std::thread& schreiber : schreiber_) {
        schreiber.join();
    }
    schreiber_.clear();
}

std::optional<QString> KopfloserTonServer::pactl(const QStringList& argumente) const {
    const auto ausgabe = KindProzess::ausgabe(u"pactl"_s, argumente, std::chrono::seconds(10));
    if (!ausgabe) {
        return std::nullopt;
    }
    return QString::fromUtf8(*ausgabe);
}

void KopfloserTonServer::anhalten() {
    if (prozess_) {
        prozess_->sende(SIGSTOP);
    }
}

void KopfloserTonServer::fortsetzen() {
    if (prozess_) {
        prozess_->sende(SIGCONT);
    }
}

} // namespace parlix::test
