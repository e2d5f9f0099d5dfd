#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QWebSocket;

namespace parlix {

struct Antwort;
class Relais;
class Rueckweg;

// Live words for one stream through the provider's ordinary transcription endpoint:
// after each stretch of new speech the whole recording so far is transcribed again, one
// call at a time, and the words beyond those already sent go out as deltas (the last
// word waits, it may still be cut off); after "END" the whole recording once more gives
// the final transcript, and the stream is closed. A child of the socket; a call still
// in flight when the socket goes is cancelled.
class StreamTranskription final : public QObject {
public:
    // New speech that starts the next call: 1.2 s of 16 kHz mono 16-bit PCM.
    static constexpr qsizetype taktBytes = 38400;

    StreamTranskription(QWebSocket& socket, Relais& relais);
    ~StreamTranskription() override;

private:
    void empfange(const QByteArray& chunk);
    void ende();
    // Transcribes the whole recording so far.
    void rufeAuf();
    void angekommen(const Antwort& antwort, qsizetype abgedeckt);
    void sendeNeueWorte(const QString& transkript);
    void schliesse(const QByteArray& nachricht);

    QWebSocket& socket_;
    Relais& relais_;
    std::shared_ptr<Rueckweg> rueckweg_; // the relay answers on its own threads
    QByteArray pcm_;
    qsizetype neueSprache_ = 0; // bytes of speech since the last call began
    qsizetype abgedeckt_ = 0;   // bytes the last transcript covers
    QString transkript_;        // the last one
    qsizetype gesendeteWorte_ = 0;
    bool laeuft_ = false;
    bool endeEmpfangen_ = false;
    bool fertig_ = false;
    bool zwischenAus_ = false; // after a failed call only the final one is tried
};

} // namespace parlix
