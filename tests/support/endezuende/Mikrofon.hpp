#pragma once

#include "app/platform/KindProzess.hpp"
#include "tests/support/KopfloserTonServer.hpp"

#include <QByteArray>
#include <atomic>
#include <thread>

namespace parlix::test {

// Speaks into the sound server's default source the way a real microphone delivers:
// 10 ms of sound every 10 ms, for as long as it lives, repeating `pcm` (s16le, 16000 Hz,
// mono). A pipe source alone produces sound only when it is written, as fast as it is
// written, and reads its pipe only while someone records: a listener records all the
// time, so that a recording gets the sound of its moment and not what piled up before.
class Mikrofon {
public:
    Mikrofon(const KopfloserTonServer& ton, QByteArray pcm);
    ~Mikrofon();
    Mikrofon(const Mikrofon&) = delete;
    Mikrofon& operator=(const Mikrofon&) = delete;

private:
    void laufe(const QString& fifo);

    QByteArray pcm_;
    KindProzess zuhoerer_;
    std::atomic<bool> ende_{false};
    std::thread faden_;
};

} // namespace parlix::test
