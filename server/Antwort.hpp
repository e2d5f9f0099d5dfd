#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <chrono>
#include <memory>

namespace parlix {

class AntwortStrom;

// What the server does with one request. Besides a normal answer it can send raw bytes
// (anything, even no HTTP), drop the connection, or never answer; each after a delay.
struct Antwort {
    enum class Art {
        normal,    // status line, headers, Content-Length, body
        roh,       // `koerper` written as is, then the connection is closed
        trennen,   // the connection is dropped without an answer
        schweigen, // nothing is ever sent; the connection stays open
        strom,     // status line and headers, then the body as `strom` brings it
    };

    Art art = Art::normal;
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> kopfzeilen;
    QByteArray koerper;
    std::chrono::milliseconds verzoegerung{0};
    std::shared_ptr<AntwortStrom> strom;

    static Antwort text(int status, const QByteArray& koerper,
                        const QByteArray& typ = QByteArrayLiteral("text/plain; charset=utf-8"));
    static Antwort json(int status, const QJsonObject& objekt);
    // {"detail": text}: how failures explain themselves to the client.
    static Antwort fehler(int status, const QString& detail);
    static Antwort roheBytes(const QByteArray& bytes);
    static Antwort getrennt();
    static Antwort nie();
    static Antwort stueckweise(int status, const QByteArray& typ,
                               std::shared_ptr<AntwortStrom> strom);

    Antwort nach(std::chrono::milliseconds verzoegerung) const;
    // The bytes of a normal answer on the wire.
    QByteArray kodiert() const { return kopf() + koerper; }
    // Its status line and headers, up to the body.
    QByteArray kopf() const;
};

} // namespace parlix
