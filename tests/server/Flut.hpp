#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace parlix::test {

// A flood from one client address on loopback: `verbindungen` connections, each sending
// `anfrage` again every `abstand`, on a thread of its own until it is destroyed.
class Flut {
public:
    Flut(quint16 port, const QHostAddress& von, int verbindungen, QByteArray anfrage,
         std::chrono::milliseconds abstand);
    ~Flut();
    Flut(const Flut&) = delete;
    Flut& operator=(const Flut&) = delete;

    int gesendet() const { return gesendet_.load(); }
    // While paused the connections stay open and keep their rhythm, but send nothing.
    void pausiere(bool pause) { pause_ = pause; }
    // Answers so far whose status line begins with "HTTP/1.1 <status>".
    int antworten(int status) const;

private:
    void laufe(quint16 port, quint32 von, int verbindungen, std::chrono::milliseconds abstand);

    const QByteArray anfrage_;
    std::atomic<bool> ende_{false};
    std::atomic<bool> pause_{false};
    std::atomic<int> gesendet_{0};
    std::vector<std::atomic<int>> proStatus_; // by status - 100
    std::thread faden_;
};

} // namespace parlix::test
