#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <thread>

namespace parlix::test {

// Speaks into a pipe source the way a real microphone delivers: 10 ms of sound every
// 10 ms, for as long as it lives, repeating `pcm` (s16le, 16000 Hz, mono). A pipe source
// alone produces sound only when it is written, as fast as it is written.
class Mikrofon {
public:
    Mikrofon(const QString& fifo, QByteArray pcm);
    ~Mikrofon();
    Mikrofon(const Mikrofon&) = delete;
    Mikrofon& operator=(const Mikrofon&) = delete;

private:
    void laufe(const QString& fifo);

    QByteArray pcm_;
    std::atomic<bool> ende_{false};
    std::thread faden_;
};

} // namespace parlix::test
