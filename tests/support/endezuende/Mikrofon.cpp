#include "tests/support/endezuende/Mikrofon.hpp"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace parlix::test {

namespace {

// 10 ms at 16000 Hz, 16 bits.
constexpr qsizetype kBlock = 320;
constexpr auto kTakt = std::chrono::milliseconds(10);

} // namespace

Mikrofon::Mikrofon(const QString& fifo, QByteArray pcm)
    : pcm_(pcm.isEmpty() ? QByteArray(kBlock, '\0') : std::move(pcm))
    , faden_([this, fifo] { laufe(fifo); }) {}

Mikrofon::~Mikrofon() {
    ende_ = true;
    faden_.join();
}

void Mikrofon::laufe(const QString& fifo) {
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    qsizetype pos = 0;
    auto naechster = std::chrono::steady_clock::now();
    while (!ende_) {
        QByteArray block = pcm_.mid(pos, kBlock);
        while (block.size() < kBlock) {
            block += pcm_.left(kBlock - block.size());
        }
        pos = (pos + kBlock) % pcm_.size();
        if (::write(fd, block.constData(), static_cast<size_t>(block.size())) < 0) {
            break;
        }
        naechster += kTakt;
        std::this_thread::sleep_until(naechster);
    }
    ::close(fd);
}

} // namespace parlix::test
