#include "tests/support/endezuende/Mikrofon.hpp"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

// 10 ms at 16000 Hz, 16 bits.
constexpr qsizetype kBlock = 320;
constexpr auto kTakt = std::chrono::milliseconds(10);

} // namespace

Mikrofon::Mikrofon(const KopfloserTonServer& ton, QByteArray pcm)
    : pcm_(pcm.isEmpty() ? QByteArray(kBlock, '\0') : std::move(pcm))
    , zuhoerer_(u"parec"_s, {u"--raw"_s, u"-d"_s, QString::fromLatin1(KopfloserTonServer::kQuelle),
                             u"/dev/null"_s})
    , faden_([this, fifo = ton.fifo()] { laufe(fifo); }) {}

Mikrofon::~Mikrofon() {
    ende_ = true;
    faden_.join();
}

void Mikrofon::laufe(const QString& fifo) {
    // Never blocks: sound that nobody takes is lost, as with a real microphone, and the
    // end is never held up.
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
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
        if (::write(fd, block.constData(), static_cast<size_t>(block.size())) < 0 &&
            errno != EAGAIN) {
            break;
        }
        naechster += kTakt;
        std::this_thread::sleep_until(naechster);
    }
    ::close(fd);
}

} // namespace parlix::test
