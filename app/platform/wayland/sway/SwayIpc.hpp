#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>

namespace parlix {

// One connection to sway's IPC socket: the i3 IPC protocol ("i3-ipc", the payload's
// length and the message type as 32-bit integers in host order, then JSON). Events
// that arrive while an answer is awaited are kept for naechstesEreignis(). Any thread;
// one exchange at a time.
class SwayIpc {
public:
    static constexpr quint32 kBefehl = 0;
    static constexpr quint32 kAbonniere = 2;
    static constexpr quint32 kAusgaben = 3;
    static constexpr quint32 kBaum = 4;
    // Events carry the high bit.
    static constexpr quint32 kEreignisBit = 0x80000000;
    static constexpr quint32 kEreignisWorkspace = 0x80000000;
    static constexpr quint32 kEreignisFenster = 0x80000003;
    static constexpr quint32 kEreignisBindung = 0x80000005;

    struct Nachricht {
        quint32 typ = 0;
        QJsonDocument inhalt;
    };

    // Connects to the socket at `pfad` (sway's $SWAYSOCK).
    explicit SwayIpc(const QString& pfad);
    ~SwayIpc();
    SwayIpc(const SwayIpc&) = delete;
    SwayIpc& operator=(const SwayIpc&) = delete;

    bool verbunden();

    // Sends a message and waits up to `frist` for its answer; nothing on failure.
    std::optional<QJsonDocument> frage(quint32 typ, const QByteArray& nutzlast,
                                       std::chrono::milliseconds frist = std::chrono::seconds(2));
    // Runs sway commands; whether every one succeeded.
    bool befehl(const QString& befehle);
    // The next event, waiting up to `frist`; nothing when none came or the connection ended.
    std::optional<Nachricht> naechstesEreignis(std::chrono::milliseconds frist);

private:
    std::optional<Nachricht> lies(std::chrono::milliseconds frist);
    bool liesGenau(char* ziel, qsizetype anzahl, std::chrono::steady_clock::time_point ende);
    void schliesse();

    std::recursive_mutex sperre_;
    int fd_ = -1;
    std::deque<Nachricht> ereignisse_;
};

} // namespace parlix
