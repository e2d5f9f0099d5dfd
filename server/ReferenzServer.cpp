#include "server/ReferenzServer.hpp"

#include "server/ZaehlenderTcpServer.hpp"

#include <QHttpServerRequest>
#include <QMetaEnum>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

const QString ReferenzServer::streamPfad = u"/eu/stream"_s;

namespace {

QByteArray methodeText(QHttpServerRequest::Method methode) {
    const char* name =
        QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(static_cast<int>(methode));
    return name != nullptr ? QByteArray(name).toUpper() : QByteArrayLiteral("UNKNOWN");
}

Anfrage anfrageAus(const QHttpServerRequest& roh) {
    Anfrage anfrage;
    anfrage.methode = methodeText(roh.method());
    anfrage.pfad = roh.url().path(QUrl::FullyEncoded);
    anfrage.query = roh.url().query(QUrl::FullyEncoded);
    anfrage.kopfzeilen = roh.headers();
    anfrage.koerper = roh.body();
    return anfrage;
}

Anfrage handshakeAus(const QWebSocket& socket) {
    Anfrage anfrage;
    anfrage.methode = QByteArrayLiteral("GET");
    anfrage.pfad = socket.requestUrl().path(QUrl::FullyEncoded);
    anfrage.query = socket.requestUrl().query(QUrl::FullyEncoded);
    const QNetworkRequest& request = socket.request();
    for (const QByteArray& name : request.rawHeaderList()) {
        anfrage.kopfzeilen.append({name, request.rawHeader(name)});
    }
    anfrage.webSocket = true;
    return anfrage;
}

void sende(QTcpSocket& socket, const Antwort& antwort, bool schliessen) {
    switch (antwort.art) {
    case Antwort::Art::normal:
        socket.write(antwort.kodiert());
        if (schliessen) {
            socket.disconnectFromHost();
        }
        break;
    case Antwort::Art::roh:
        socket.write(antwort.koerper);
        socket.disconnectFromHost();
        break;
    case Antwort::Art::trennen:
        socket.abort();
        break;
    case Antwort::Art::schweigen:
        break;
    }
}

} // namespace

ReferenzServer::ReferenzServer(Behandler& behandler, QObject* eltern)
    : QAbstractHttpServer(eltern)
    , behandler_(behandler)
    , tcp_(new ZaehlenderTcpServer(this)) {
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
            &ReferenzServer::nimmStreamsAn);
}

quint16 ReferenzServer::lausche(const QHostAddress& adresse, quint16 port) {
    if (!tcp_->listen(adresse, port)) {
        return 0;
    }
    bind(tcp_);
    return tcp_->serverPort();
}

int ReferenzServer::verbindungen() const {
    return tcp_->verbindungen();
}

int ReferenzServer::getrennt() const {
    return tcp_->getrennt();
}

bool ReferenzServer::handleRequest(const QHttpServerRequest& roh, QTcpSocket* socket) {
    Anfrage anfrage = anfrageAus(roh);
    // Qt asks about an upgrade first and takes the socket over when the answer is true;
    // anything written here would precede its handshake. When the answer is false it
    // calls missingHandler and closes the connection.
    if (roh.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        anfrage.webSocket = true;
        if (std::optional<Antwort> abweisung = behandler_.verweigereStream(anfrage)) {
            abweisungen_.insert(socket, *abweisung);
            return false;
        }
        return true;
    }
    const bool schliessen = anfrage.kopf("Connection").compare("close", Qt::CaseInsensitive) == 0;
    // The socket may be gone by the time a late answer is ready.
    QPointer<QTcpSocket> ziel(socket);
    behandler_.behandle(anfrage, [ziel, schliessen](const Antwort& antwort) {
        if (ziel.isNull()) {
            return;
        }
        QTimer::singleShot(antwort.verzoegerung, ziel.data(),
                           [ziel, antwort, schliessen] { sende(*ziel, antwort, schliessen); });
    });
    return true;
}

void ReferenzServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    Antwort antwort = Antwort::fehler(404, u"unbekannter Pfad"_s);
    if (auto abweisung = abweisungen_.find(socket); abweisung != abweisungen_.end()) {
        antwort = *abweisung;
        abweisungen_.erase(abweisung);
    }
    sende(*socket, antwort, false);
}

void ReferenzServer::nimmStreamsAn() {
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket) {
            continue;
        }
        const Anfrage handshake = handshakeAus(*socket);
        QWebSocket* offen = socket.release();
        offen->setParent(this);
        connect(offen, &QWebSocket::disconnected, offen, &QObject::deleteLater);
        if (handshake.pfad == streamPfad) {
            behandler_.neuerStream(handshake, *offen);
        } else {
            offen->close(QWebSocketProtocol::CloseCodePolicyViolated, u"unbekannter Pfad"_s);
        }
    }
}

} // namespace parlix
