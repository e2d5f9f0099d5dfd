#pragma once

#include "server/Behandler.hpp"
#include "tests/support/server/StreamAblauf.hpp"
#include "tests/support/server/StreamMitschnitt.hpp"

#include <QHash>
#include <QList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace parlix {

// The scripted behaviour of the server for tests: each test says what a path answers
// and reads back every request exactly as it arrived. Scripting and reading are safe
// from any thread while the server runs on its own.
class Drehbuch final : public Behandler {
public:
    // Every later request to `pfad` (for example "/openai/v1/chat/completions") gets
    // this answer. Paths without an answer get 404 with a "detail". An answer for the
    // stream path refuses the WebSocket upgrade with it.
    void stelleEin(const QString& pfad, const Antwort& antwort);
    // The next request to `pfad` gets this answer, ahead of the standing one; several
    // are used up in the order they were queued.
    void reiheEin(const QString& pfad, const Antwort& antwort);
    // What the server does on every later stream. Without it a stream stays open and
    // silent.
    void stelleStreamEin(const StreamAblauf& ablauf);

    // Every request so far in order of arrival, stream handshakes included.
    QList<Anfrage> anfragen() const;
    QList<Anfrage> anfragen(const QString& pfad) const;
    // Waits until at least `anzahl` requests have arrived; false after the limit.
    bool warteAufAnfragen(qsizetype anzahl,
                          std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    // Every stream accepted so far in order of opening, with what it received so far.
    QList<StreamMitschnitt> streams() const;
    // Waits until the condition holds for the streams; false after the limit.
    bool warteAufStreams(const std::function<bool(const QList<StreamMitschnitt>&)>& bedingung,
                         std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    void behandle(const Anfrage& anfrage, Antworter antworte) override;
    std::optional<Antwort> verweigereStream(const Anfrage& handshake) override;
    void neuerStream(const Anfrage& handshake, QWebSocket& socket) override;

private:
    void notiere(const Anfrage& anfrage);
    // The scripted answer for the path, queued ones first. Under the lock.
    std::optional<Antwort> naechsteAntwort(const QString& pfad);
    // Records what arrives on the socket into streams_[nummer].
    void zeichneAuf(QWebSocket& socket, qsizetype nummer);
    void aendere(qsizetype nummer, const std::function<void(StreamMitschnitt&)>& aenderung);

    mutable std::mutex sperre_;
    mutable std::condition_variable neueAnfrage_;
    QHash<QString, Antwort> stehend_;
    QHash<QString, QList<Antwort>> einmalig_;
    StreamAblauf streamAblauf_;
    QList<Anfrage> anfragen_;
    QList<StreamMitschnitt> streams_;
};

} // namespace parlix
