#include "server/ReferenzServer.hpp"

#include "server/AntwortStrom.hpp"
#include "server/MaskenWache.hpp"
#include "server/Pforte.hpp"
#include "server/StreamWaechter.hpp"
#include "server/Verbindung.hpp"

#include <QHttpServerRequest>
#include <QMetaEnum>
#include <QPointer>
#include <QTcpSocket>
#include <QWebSocket>
#include <mutex>

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
    anfrage.kunde = roh.remoteAddress().toString();
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
    anfrage.kunde = socket.peerAddress().toString();
    return anfrage;
}

} // namespace

ReferenzServer::ReferenzServer(Behandler& behandler, ServerGrenzen grenzen, QObject* eltern)
    : QAbstractHttpServer(eltern)
    , behandler_(behandler)
    , grenzen_(std::move(grenzen))
    , tcp_(new Pforte(grenzen_, this))
    , rueckweg_(std::make_shared<Rueckweg>(this)) {
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
            &ReferenzServer::nimmStreamsAn);
}

ReferenzServer::~ReferenzServer() {
    rueckweg_->trenne();
}

quint16 ReferenzServer::lausche(const QHostAddress& adresse, quint16 port) {
    // Qt's default of 50 pending connections makes the kernel drop the rest of a burst
    // (64 relay calls at once), whose clients then wait a second to try again.
    tcp_->setListenBacklogSize(1024);
    if (!tcp_->listen(adresse, port)) {
        return 0;
    }
    bind(tcp_);
    // After Qt's own handler, which connects the parser to each new socket.
    connect(tcp_, &QTcpServer::newConnection, this, &ReferenzServer::verdrahteNeue);
    return tcp_->serverPort();
}

void ReferenzServer::verdrahteNeue() {
    for (Verbindung* verbindung : tcp_->nimmNeue()) {
        connect(qobject_cast<QTcpSocket*>(verbindung->parent()), &QTcpSocket::readyRead, verbindung,
                &Verbindung::nachParser);
    }
}

int ReferenzServer::verbindungen() const {
    return tcp_->verbindungen();
}

int ReferenzServer::getrennt() const {
    return tcp_->getrennt();
}

int ReferenzServer::maxVerbindungen() const {
    return tcp_->maxVerbindungen();
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
    Verbindung* verbindung = Verbindung::von(socket);
    if (verbindung == nullptr) {
        return false;
    }
    anfrage.verbindung = verbindung;
    const bool schliessen = anfrage.kopf("Connection").compare("close", Qt::CaseInsensitive) == 0;
    const qsizetype nummer = verbindung->neueAnfrage();
    behandler_.behandle(anfrage, [rueckweg = rueckweg_, ziel = QPointer<Verbindung>(verbindung),
                                  nummer, schliessen](const Antwort& antwort) {
        if (antwort.strom) {
            // Later pieces find the connection the same way as the answer.
            antwort.strom->verbinde([rueckweg, ziel, nummer] {
                rueckweg->poste([ziel, nummer] {
                    if (!ziel.isNull()) {
                        ziel->weiterImStrom(nummer);
                    }
                });
            });
        }
        rueckweg->poste([ziel, nummer, antwort, schliessen] {
            if (!ziel.isNull()) {
                ziel->antworte(nummer, antwort, schliessen);
            }
        });
    });
    return true;
}

void ReferenzServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    Antwort antwort = Antwort::fehler(404, u"unbekannter Pfad"_s);
    if (auto abweisung = abweisungen_.find(socket); abweisung != abweisungen_.end()) {
        antwort = *abweisung;
        antwort.verzoegerung = {};
        abweisungen_.erase(abweisung);
    }
    if (Verbindung* verbindung = Verbindung::von(socket)) {
        verbindung->antworte(verbindung->neueAnfrage(), antwort, false);
    }
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
        if (Verbindung* verbindung = tcp_->zu(offen->peerAddress(), offen->peerPort())) {
            new MaskenWache(*qobject_cast<QTcpSocket*>(verbindung->parent()));
        }
        connect(offen, &QWebSocket::disconnected, offen, &QObject::deleteLater);
        new StreamWaechter(*offen, grenzen_);
        if (handshake.pfad == streamPfad) {
            behandler_.neuerStream(handshake, *offen);
        } else {
            offen->close(QWebSocketProtocol::CloseCodePolicyViolated, u"unbekannter Pfad"_s);
        }
    }
}

} // namespace parlix
