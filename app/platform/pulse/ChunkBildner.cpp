#include "app/platform/pulse/ChunkBildner.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace parlix {

ChunkBildner::ChunkBildner(qsizetype chunkBytes, Ausgabe ausgabe)
    : chunkBytes_(chunkBytes)
    , ausgabe_(std::move(ausgabe)) {
    if (chunkBytes_ <= 0 || chunkBytes_ % 2 != 0) {
        throw std::invalid_argument("ChunkBildner: chunk size must be even and positive");
    }
}

void ChunkBildner::nimm(const char* daten, std::size_t bytes) {
    auto rest = static_cast<qsizetype>(bytes);
    while (rest > 0) {
        if (chunk_.isEmpty()) {
            // A fresh buffer per chunk: the receiver may keep the one it was handed.
            chunk_ = QByteArray(chunkBytes_, Qt::Uninitialized);
            fuellstand_ = 0;
        }
        const qsizetype anzahl = std::min(rest, chunkBytes_ - fuellstand_);
        char* ziel = chunk_.data() + fuellstand_;
        if (daten != nullptr) {
            std::memcpy(ziel, daten, static_cast<std::size_t>(anzahl));
            daten += anzahl;
        } else {
            std::memset(ziel, 0, static_cast<std::size_t>(anzahl));
        }
        fuellstand_ += anzahl;
        rest -= anzahl;
        if (fuellstand_ == chunkBytes_) {
            const QByteArray voll = std::exchange(chunk_, QByteArray());
            if (ausgabe_) {
                ausgabe_(voll);
            }
        }
    }
}

} // namespace parlix
