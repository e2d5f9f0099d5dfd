#include "app/stream/StreamVerbindung.hpp"

#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/StreamNachricht.hpp"

#include <QTimer>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// How long a close handshake that we started may take before the socket is dropped.
constexpr std::chrono::seconds schliessFrist{2};
// The largest message read from the server.
constexpr quint64 maxNachricht = 4 * 1024 * 1024;

QString schlussBeschreibung(const QWebSocket& socket) {
    if (socket.error() != QAbstractSocket::UnknownSocketError) {
        return socket.errorString();
    }
    QString text = u"Verbindung beendet (Code %1)"_s.arg(socket.closeCode());
    if (!socket.closeReason().isEmpty()) {
        text += u": "_s + socket.closeReason();
    }
    return text;
}

void meldeSendefehler(const QString& beschreibung) {
    log().schreibe(u"EU-Stream send-Fehler: "_s + beschreibung);
}

} // namespace

StreamVerbindung::StreamVerbindung(MainQueue& mainQueue)
    : mainQueue_(mainQueue) {}

void StreamVerbindung::oeffne(QObject& eltern, const QNetworkRequest& request,
                              std::chrono::milliseconds handshakeLimit) {
    gibSocketFrei();
    wartend_.clear();
    verlust_.clear();
    vonUnsGeschlossen_ = false;
    empfaengt_ = true;
    phase_ = Phase::verbindend;
    QWebSocket* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, &eltern);
    socket_ = socket;
    // The server sends a few words of JSON at a time; a far larger message is refused
    // before it is buffered, and the socket then closes as a lost connection.
    socket->setMaxAllowedIncomingFrameSize(maxNachricht);
    socket->setMaxAllowedIncomingMessageSize(maxNachricht);
    verbindeSignale(*socket);
    QTimer::singleShot(handshakeLimit, socket, [schwach = weak_from_this(), socket] {
        auto v = schwach.lock();
        if (v && v->socket_ == socket && v->phase_ == Phase::verbindend) {
            v->beiVerlust(u"Zeitüberschreitung beim Verbindungsaufbau"_s);
        }
    });
    socket->open(request);
}

// Every callback holds the connection weakly and does nothing once it is gone. The
// socket is their context, so they end with it.
void StreamVerbindung::verbindeSignale(QWebSocket& socket) {
    const std::weak_ptr<StreamVerbindung> schwach = weak_from_this();
    QObject::connect(&socket, &QWebSocket::connected, &socket, [schwach] {
        if (auto v = schwach.lock()) {
            v->beiVerbunden();
        }
    });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
                     [schwach](const QString& nachricht) {
                         if (auto v = schwach.lock()) {
                             v->beiText(nachricht);
                         }
                     });
    QObject::connect(&socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), &socket,
                     [schwach, &socket] {
                         if (auto v = schwach.lock()) {
                             v->beiVerlust(socket.errorString());
                         }
                     });
    QObject::connect(&socket, &QWebSocket::disconnected, &socket, [schwach, &socket] {
        if (auto v = schwach.lock()) {
            // Qt names no reason when a handshake ends before it began (no host, say).
            v->beiVerlust(v->phase_ == Phase::verbindend ? u"Verbindungsaufbau gescheitert"_s
                                                         : schlussBeschreibung(socket));
        }
    });
}

void StreamVerbindung::sendeChunk(const QByteArray& chunk) {
    sende({.text = false, .daten = chunk});
}

void StreamVerbindung::sendeEnde() {
    sende({.text = true, .daten = QByteArrayLiteral("END")});
}

void StreamVerbindung::sende(const Frame& frame) {
    if (vonUnsGeschlossen_) {
        return;
    }
    switch (phase_) {
    case Phase::verbindend:
        wartend_.append(frame);
        break;
    case Phase::offen:
        schreibe(frame);
        break;
    case Phase::zu:
        meldeSendefehler(verlust_);
        break;
    }
}

void StreamVerbindung::schreibe(const Frame& frame) {
    // A loss reported while writing lets go of socket_, but the socket itself is only
    // deleted later.
    QWebSocket& socket = *socket_;
    const qint64 gesendet = frame.text ? socket.sendTextMessage(QString::fromUtf8(frame.daten))
                                       : socket.sendBinaryMessage(frame.daten);
    if (gesendet != frame.daten.size()) {
        meldeSendefehler(schlussBeschreibung(socket));
    }
}

void StreamVerbindung::beiVerbunden() {
    phase_ = Phase::offen;
    for (const Frame& frame : std::exchange(wartend_, {})) {
        sende(frame); // the connection may be lost again in between
    }
}

void StreamVerbindung::beiText(const QString& nachricht) {
    if (!empfaengt_) {
        return;
    }
    const StreamNachricht gelesen = StreamNachricht::aus(nachricht);
    switch (gelesen.art) {
    case StreamNachricht::Art::delta:
        beiDelta(gelesen.text);
        break;
    case StreamNachricht::Art::final:
        empfaengt_ = false;
        aufloesung_.loese(gelesen.text);
        break;
    case StreamNachricht::Art::fehler:
        empfaengt_ = false;
        log().schreibe(u"EU-Stream Server-Fehler"_s);
        aufloesung_.loese(std::nullopt);
        break;
    case StreamNachricht::Art::unbekannt:
        break;
    }
}

// One job at a time carries the newest text to the main thread, however many parts
// arrive while it waits, so a busy main thread never piles up copies of the text. The
// flag is cleared before the text is read: a part appended after the read finds it
// cleared and sends a job of its own.
void StreamVerbindung::beiDelta(const QString& teil) {
    aufloesung_.haengeAn(teil);
    if (deltaUnterwegs_.exchange(true)) {
        return;
    }
    mainQueue_.post([schwach = weak_from_this()] {
        auto v = schwach.lock();
        if (!v) {
            return;
        }
        v->deltaUnterwegs_.store(false);
        const QString voll = v->aufloesung_.voll();
        if (!v->stumm_.load() && v->onDelta_) {
            v->onDelta_(voll);
        }
    });
}

void StreamVerbindung::beiVerlust(const QString& beschreibung) {
    if (phase_ == Phase::zu) {
        return;
    }
    phase_ = Phase::zu;
    verlust_ = beschreibung;
    gibSocketFrei();
    const QList<Frame> ungesendet = std::exchange(wartend_, {});
    if (empfaengt_) {
        empfaengt_ = false;
        log().schreibe(u"EU-Stream geschlossen: "_s + beschreibung);
        aufloesung_.loeseMitVoll();
    }
    for (qsizetype i = 0; i < ungesendet.size(); ++i) {
        meldeSendefehler(beschreibung);
    }
}

void StreamVerbindung::schliesse() {
    vonUnsGeschlossen_ = true;
    empfaengt_ = false;
    phase_ = Phase::zu;
    wartend_.clear();
    gibSocketFrei();
}

void StreamVerbindung::gibSocketFrei() {
    QWebSocket* socket = std::exchange(socket_, nullptr);
    if (socket == nullptr) {
        return;
    }
    socket->disconnect(socket); // our callbacks
    if (socket->state() == QAbstractSocket::ConnectedState) {
        QObject::connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(schliessFrist, socket, &QObject::deleteLater);
        socket->close(QWebSocketProtocol::CloseCodeGoingAway);
    } else {
        socket->deleteLater();
    }
}

} // namespace parlix
