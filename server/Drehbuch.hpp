#pragma once

#include "server/Behandler.hpp"

#include <QHash>
#include <QList>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace parlix {

// The scripted behaviour of the server for tests: each test says what a path answers
// and reads back every request exactly as it arrived. Scripting and reading are safe
// from any thread while the server runs on its own.
class Drehbuch final : public Behandler {
public:
    using StreamBehandlung = std::function<void(const Anfrage& handshake, QWebSocket& socket)>;

    // Every later request to `pfad` (for example "/openai/v1/chat/completions") gets
    // this answer. Paths without an answer get 404 with a "detail".
    void stelleEin(const QString& pfad, const Antwort& antwort);
    // The next request to `pfad` gets this answer, ahead of the standing one; several
    // are used up in the order they were queued.
    void reiheEin(const QString& pfad, const Antwort& antwort);
    // What happens on a stream; runs on the server's thread with the open socket.
    // Without it a stream stays open and silent.
    void setzeStreamBehandlung(StreamBehandlung behandlung);

    // Every request so far in order of arrival, stream handshakes included.
    QList<Anfrage> anfragen() const;
    QList<Anfrage> anfragen(const QString& pfad) const;
    // Waits until at least `anzahl` requests have arrived; false after the limit.
    bool warteAufAnfragen(qsizetype anzahl,
                          std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    void behandle(const Anfrage& anfrage, Antworter antworte) override;
    void neuerStream(const Anfrage& handshake, QWebSocket& socket) override;

private:
    void notiere(const Anfrage& anfrage);

    mutable std::mutex sperre_;
    mutable std::condition_variable neueAnfrage_;
    QHash<QString, Antwort> stehend_;
    QHash<QString, QList<Antwort>> einmalig_;
    StreamBehandlung streamBehandlung_;
    QList<Anfrage> anfragen_;
};

} // namespace parlix
