#pragma once

#include "server/Antwort.hpp"
#include "server/Rahmen.hpp"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QTcpSocket;

namespace parlix {

class Pforte;

// One client's HTTP connection, between the socket and Qt's request parser. It sees
// every byte before the parser does (Rahmen), enforces the head, read and idle
// deadlines, and sends the answers in the order of the requests, however late each is
// ready. A child of its socket; lives on the server's thread.
class Verbindung final : public QObject {
    Q_OBJECT

public:
    Verbindung(QTcpSocket& socket, Pforte& pforte, const ServerGrenzen& grenzen);
    ~Verbindung() override;

    static Verbindung* von(QTcpSocket* socket);

    QString kunde() const { return kunde_; }
    // The peer's address and port.
    std::pair<QHostAddress, quint16> gegenueber() const;
    // Numbers the next request handed to the server; its answer goes out in this place.
    qsizetype neueAnfrage() { return vergeben_++; }
    void antworte(qsizetype nummer, const Antwort& antwort, bool schliessen);
    // More of the streamed answer to request `nummer` has arrived.
    void weiterImStrom(qsizetype nummer);
    // Nothing half received and no answer outstanding.
    bool ruht() const;
    void schliesse();
    // To be called after the parser has read from the socket.
    void nachParser();

private:
    void vorParser();
    // Reserves the body bytes that arrived and counts them for the rate; false when the
    // budget has no room.
    bool reserviere(const Rahmen::Ergebnis& ergebnis);
    // The bytes that arrived since the last look, still unread in the socket.
    QByteArray neueBytes() const;

    void sendeFertige();
    void beginneStrom(const Antwort& antwort, bool schliessen, bool http10);
    // Sends what the answer being streamed has brought; true when it ended and the
    // connection carries on.
    bool schreibeStrom();
    void sende(const Antwort& antwort, bool schliessen);
    void verwirf(int status, const QString& detail);
    void stelleFrist();
    void fristAbgelaufen();

    QTcpSocket& socket_;
    QPointer<Pforte> pforte_; // the server may go first when it shuts down
    const ServerGrenzen& grenzen_;
    const QString kunde_;
    Rahmen rahmen_;
    qsizetype ungelesenGesehen_ = 0; // bytes at the front of the socket seen already
    qsizetype vergeben_ = 0;
    qsizetype gesendet_ = 0;
    QMap<qsizetype, std::pair<Antwort, bool>> fertig_;
    std::shared_ptr<AntwortStrom> strom_; // the answer to request `gesendet_` going out
    bool stromSchliessen_ = false;
    bool inStuecken_ = true;   // chunked, unless the client spoke HTTP/1.0
    QList<qint64> reserviert_; // body budget of each request not yet answered
    QDeadlineTimer kopfFrist_;
    QDeadlineTimer fensterEnde_; // of the body's current rate window
    qint64 koerperImFenster_ = 0;
    QTimer frist_;
    bool verworfen_ = false;
};

} // namespace parlix
