#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QObject;

namespace parlix {

// A request as the server received it.
struct Anfrage {
    QByteArray methode; // "GET", "POST", ...
    QString pfad;       // as sent, percent-encoding kept: "/openai/v1/chat/completions"
    QString query;      // without "?", as sent
    QList<QPair<QByteArray, QByteArray>> kopfzeilen;
    QByteArray koerper;
    bool webSocket = false; // an upgrade to a WebSocket
    QString kunde;          // the client's network address
    // Lives on the server's thread as long as the client's connection is open; read it
    // only there, while handling the request.
    QObject* verbindung = nullptr;

    // The first header of that name, compared without regard to case; empty if none.
    QByteArray kopf(const QByteArray& name) const;
    bool hatKopf(const QByteArray& name) const;
};

} // namespace parlix
