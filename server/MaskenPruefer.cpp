#include "server/MaskenPruefer.hpp"

#include <algorithm>

namespace parlix {

namespace {

constexpr quint8 maskenBit = 0x80;
constexpr quint8 laengenBits = 0x7f;
constexpr qsizetype schluesselLaenge = 4;

quint8 byte(const QByteArray& bytes, qsizetype i) {
    return static_cast<quint8>(bytes[i]);
}

} // namespace

bool MaskenPruefer::nimm(QByteArrayView bytes) {
    qsizetype pos = 0;
    while (pos < bytes.size() && !verstossen_) {
        if (restNutzlast_ > 0) {
            const auto teil =
                std::min<quint64>(restNutzlast_, static_cast<quint64>(bytes.size() - pos));
            restNutzlast_ -= teil;
            pos += static_cast<qsizetype>(teil);
            continue;
        }
        kopf_.append(bytes[pos++]);
        if (kopf_.size() == 2 && (byte(kopf_, 1) & maskenBit) == 0) {
            verstossen_ = true;
        } else if (kopf_.size() > 2 && kopf_.size() == kopfLaenge()) {
            restNutzlast_ = nutzlast();
            kopf_.clear();
        }
    }
    return !verstossen_;
}

qsizetype MaskenPruefer::kopfLaenge() const {
    const quint8 laenge = byte(kopf_, 1) & laengenBits;
    const qsizetype erweitert = laenge == 126 ? 2 : laenge == 127 ? 8 : 0;
    return 2 + erweitert + schluesselLaenge;
}

quint64 MaskenPruefer::nutzlast() const {
    const quint8 laenge = byte(kopf_, 1) & laengenBits;
    if (laenge < 126) {
        return laenge;
    }
    quint64 wert = 0;
    const qsizetype stellen = laenge == 126 ? 2 : 8;
    for (qsizetype i = 0; i < stellen; ++i) {
        wert = (wert << 8) | byte(kopf_, 2 + i);
    }
    return wert;
}

} // namespace parlix
