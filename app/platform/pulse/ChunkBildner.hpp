#pragma once

#include <QByteArray>
#include <cstddef>
#include <functional>

namespace parlix {

// Cuts recorded audio, which arrives in pieces of any size, into chunks of one fixed
// size. The size is a whole number of 16-bit samples, so a chunk never splits a sample.
// Not thread-safe: one capture thread feeds it.
class ChunkBildner {
public:
    using Ausgabe = std::function<void(const QByteArray& chunk)>;

    // chunkBytes must be even and positive.
    ChunkBildner(qsizetype chunkBytes, Ausgabe ausgabe);

    // Takes the next piece; daten null means `bytes` of silence. Hands on every chunk
    // that becomes full; a partial chunk waits for more.
    void nimm(const char* daten, std::size_t bytes);

private:
    qsizetype chunkBytes_;
    Ausgabe ausgabe_;
    QByteArray chunk_;
    qsizetype fuellstand_ = 0;
};

} // namespace parlix
