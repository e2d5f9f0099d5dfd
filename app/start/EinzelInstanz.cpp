#include "app/start/EinzelInstanz.hpp"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int wartenMs = 2000;
const QByteArray weckruf = "zeige\n";
const QByteArray umschaltruf = "umschalten\n";

QString socketPfad(const QString& ordner) {
    return QDir(ordner).filePath(u"instanz"_s);
}

} // namespace

EinzelInstanz::EinzelInstanz(QString ordner)
    : ordner_(std::move(ordner))
    , sperre_(QDir(ordner_).filePath(u"instanz.lock"_s)) {
    // Only a dead owner makes a lock stale, however old it is.
    sperre_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &EinzelInstanz::nimmVerbindungAn);
}

EinzelInstanz::~EinzelInstanz() {
    server_.close();
}

QString EinzelInstanz::standardOrdner() {
    const QString laufzeit = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return laufzeit.isEmpty() ? QDir::temp().filePath(u"parlix-%1"_s.arg(getuid()))
                              : QDir(laufzeit).filePath(u"parlix"_s);
}

bool EinzelInstanz::werdeErste() {
    QDir().mkpath(ordner_);
    QFile::setPermissions(ordner_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!sperre_.tryLock(0)) {
        return false;
    }
    // A socket file left by a crashed instance would block listening.
    QLocalServer::removeServer(socketPfad(ordner_));
    return server_.listen(socketPfad(ordner_));
}

bool EinzelInstanz::weckeErste() const {
    return sende(weckruf);
}

bool EinzelInstanz::schalteErsteUm() const {
    return sende(umschaltruf);
}

bool EinzelInstanz::sende(const QByteArray& befehl) const {
    QLocalSocket socket;
    socket.connectToServer(socketPfad(ordner_));
    if (!socket.waitForConnected(wartenMs)) {
        return false;
    }
    socket.write(befehl);
    return socket.waitForBytesWritten(wartenMs);
}

void EinzelInstanz::nimmVerbindungAn() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray befehl = socket->readAll();
            if (befehl.contains(weckruf.trimmed())) {
                emit geweckt();
            } else if (befehl.contains(umschaltruf.trimmed())) {
                emit umschalten();
            }
            socket->disconnectFromServer();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

} // namespace parlix
