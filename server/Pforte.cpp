#include "server/Pforte.hpp"

#include "server/Antwort.hpp"
#include "server/Verbindung.hpp"

#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// What the open-file limit leaves for connections: files, the database, upstream calls
// and the worker threads need the rest.
int erlaubteVerbindungen(int gewuenscht) {
    rlimit grenze{};
    if (getrlimit(RLIMIT_NOFILE, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY) {
        return gewuenscht;
    }
    const auto dateien = static_cast<qint64>(grenze.rlim_cur);
    const qint64 reserve = std::max<qint64>(64, dateien / 8);
    return static_cast<int>(std::clamp<qint64>(dateien - reserve, 8, gewuenscht));
}

} // namespace

Pforte::Pforte(const ServerGrenzen& grenzen, QObject* eltern)
    : QTcpServer(eltern)
    , grenzen_(grenzen)
    , maxVerbindungen_(erlaubteVerbindungen(grenzen.maxVerbindungen))
    , budget_(grenzen.koerperBudget) {
    // Should the open-file limit be reached after all, try again shortly instead of
    // giving up on accepting.
    connect(this, &QTcpServer::acceptError, this,
            [this] { QTimer::singleShot(100, this, &QTcpServer::resumeAccepting); });
}

Pforte::~Pforte() {
    // The sockets end while the bookkeeping their connections report to still exists.
    qDeleteAll(findChildren<QTcpSocket*>(QString(), Qt::FindDirectChildrenOnly));
}

void Pforte::incomingConnection(qintptr deskriptor) {
    verbindungen_.fetch_add(1);
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(deskriptor)) {
        getrennt_.fetch_add(1);
        delete socket;
        return;
    }
    const QString kunde = socket->peerAddress().toString();
    const bool voll = offen_.size() >= maxVerbindungen_ && !machePlatz({});
    const bool kundeVoll =
        proKunde_.value(kunde) >= grenzen_.maxVerbindungenProKunde && !machePlatz(kunde);
    if (voll || kundeVoll) {
        getrennt_.fetch_add(1);
        socket->write(
            Antwort::fehler(503, u"Zu viele Verbindungen. Bitte gleich noch einmal versuchen."_s)
                .kodiert());
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        return;
    }
    auto* verbindung = new Verbindung(*socket, *this, grenzen_);
    offen_.append(verbindung);
    ++proKunde_[kunde];
    neu_.append(verbindung);
    addPendingConnection(socket);
}

bool Pforte::machePlatz(const QString& kunde) {
    for (Verbindung* verbindung : std::as_const(offen_)) {
        if (verbindung->ruht() && (kunde.isEmpty() || verbindung->kunde() == kunde)) {
            verbindung->schliesse();
            abgemeldet(verbindung); // its place is free at once
            return true;
        }
    }
    return false;
}

QList<Verbindung*> Pforte::nimmNeue() {
    return std::exchange(neu_, {});
}

bool Pforte::reserviere(const QString& kunde, qint64 bytes) {
    if (bytes == 0) {
        return true;
    }
    qint64& gehalten = budgetProKunde_[kunde];
    if (bytes > budget_ || gehalten + bytes > grenzen_.koerperProKunde) {
        if (gehalten == 0) {
            budgetProKunde_.remove(kunde);
        }
        return false;
    }
    budget_ -= bytes;
    gehalten += bytes;
    return true;
}

void Pforte::gibFrei(const QString& kunde, qint64 bytes) {
    if (bytes == 0) {
        return;
    }
    budget_ += bytes;
    if (auto gehalten = budgetProKunde_.find(kunde);
        gehalten != budgetProKunde_.end() && (*gehalten -= bytes) <= 0) {
        budgetProKunde_.erase(gehalten);
    }
}

Verbindung* Pforte::zu(const QHostAddress& adresse, quint16 port) const {
    const auto treffer = std::find_if(offen_.begin(), offen_.end(), [&](Verbindung* verbindung) {
        return verbindung->gegenueber() == std::pair(adresse, port);
    });
    return treffer != offen_.end() ? *treffer : nullptr;
}

void Pforte::abgemeldet(Verbindung* verbindung) {
    if (!offen_.removeOne(verbindung)) {
        return;
    }
    neu_.removeOne(verbindung);
    getrennt_.fetch_add(1);
    if (--proKunde_[verbindung->kunde()] <= 0) {
        proKunde_.remove(verbindung->kunde());
    }
}

} // namespace parlix
