#include "tests/server/ServerProzess.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QUuid>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

ServerProzess::ServerProzess(const QStringList& argumente, const QStringList& davor,
                             const std::optional<QByteArray>& ersteZeile)
    : fehlerDatei_(QDir::temp().filePath(
          u"parlix-server-%1.err"_s.arg(QUuid::createUuid().toString(QUuid::WithoutBraces)))) {
    QStringList befehl = davor +
                         QStringList{QStringLiteral(PARLIX_SERVER_PROGRAMM), u"--port"_s, u"0"_s} +
                         argumente;
    if (ersteZeile) {
        // A named pipe, since the child's standard input is otherwise /dev/null.
        eingabePfad_ = fehlerDatei_ + u".fifo"_s;
        ::mkfifo(QFile::encodeName(eingabePfad_).constData(), 0600);
        befehl = QStringList{u"sh"_s, u"-c"_s, u"exec \"$@\" < \"$0\""_s, eingabePfad_} + befehl;
    }
    prozess_ = std::make_unique<KindProzess>(befehl.first(), befehl.mid(1),
                                             KindProzess::Optionen{fehlerDatei_, {}});
    if (ersteZeile) {
        eingabe_ = oeffneEingabe(eingabePfad_);
        schreibe(*ersteZeile);
    }
    static const QRegularExpression zeile(u"lauscht auf http://[^:]+:(\\d+)"_s);
    QByteArray ausgabe;
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 20000 && !prozess_->warteAufEnde(std::chrono::milliseconds(0))) {
        ausgabe += prozess_->lies(std::chrono::milliseconds(100));
        if (const auto treffer = zeile.match(QString::fromUtf8(ausgabe)); treffer.hasMatch()) {
            port_ = treffer.captured(1).toUShort();
            return;
        }
    }
}

ServerProzess::~ServerProzess() {
    prozess_.reset();
    schliesseEingabe();
    QFile::remove(fehlerDatei_);
    if (!eingabePfad_.isEmpty()) {
        QFile::remove(eingabePfad_);
    }
}

int ServerProzess::oeffneEingabe(const QString& pfad) {
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 10000) {
        const int fd = ::open(QFile::encodeName(pfad).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        QThread::msleep(10);
    }
    return -1;
}

void ServerProzess::schreibe(const QByteArray& zeile) {
    if (eingabe_ >= 0) {
        ::signal(SIGPIPE, SIG_IGN); // a server that has gone shows in the test, not as a crash
        [[maybe_unused]] const ssize_t geschrieben =
            ::write(eingabe_, zeile.constData(), static_cast<size_t>(zeile.size()));
    }
}

void ServerProzess::schliesseEingabe() {
    if (eingabe_ >= 0) {
        ::close(eingabe_);
        eingabe_ = -1;
    }
}

QString ServerProzess::fehler() const {
    QFile datei(fehlerDatei_);
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}

} // namespace parlix::test
