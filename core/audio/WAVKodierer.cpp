#include "core/audio/WAVKodierer.hpp"

#include <QtEndian>
#include <limits>

namespace parlix::WAVKodierer {

namespace {

constexpr qint64 kopfGroesse = 44;
constexpr quint16 bitsProProbe = 16;
constexpr qint64 max32 = std::numeric_limits<quint32>::max();
constexpr qint64 max16 = std::numeric_limits<quint16>::max();

template <typename Zahl> void haengeAn(QByteArray& ziel, qint64 wert) {
    char bytes[sizeof(Zahl)];
    qToLittleEndian(static_cast<Zahl>(wert), bytes);
    ziel.append(bytes, sizeof(Zahl));
}

qint64 mitFuellbyte(qint64 bytes) {
    return bytes + bytes % 2;
}

} // namespace

QByteArray kopf(qint64 pcmBytes, quint32 sampleRate, quint16 kanaele) {
    const qint64 blockAusrichtung = qint64{kanaele} * (bitsProProbe / 8);
    const qint64 byteRate = qint64{sampleRate} * blockAusrichtung;
    const qint64 riffGroesse = kopfGroesse - 8 + mitFuellbyte(pcmBytes);
    if (pcmBytes < 0 || blockAusrichtung > max16 || byteRate > max32 || riffGroesse > max32) {
        return {};
    }
    QByteArray k;
    k.reserve(kopfGroesse);
    k.append("RIFF");
    haengeAn<quint32>(k, riffGroesse);
    k.append("WAVE");
    k.append("fmt ");
    haengeAn<quint32>(k, 16); // size of the format chunk
    haengeAn<quint16>(k, 1);  // integer PCM
    haengeAn<quint16>(k, kanaele);
    haengeAn<quint32>(k, sampleRate);
    haengeAn<quint32>(k, byteRate);
    haengeAn<quint16>(k, blockAusrichtung);
    haengeAn<quint16>(k, bitsProProbe);
    k.append("data");
    haengeAn<quint32>(k, pcmBytes);
    return k;
}

QByteArray wav(QByteArrayView pcm, quint32 sampleRate, quint16 kanaele) {
    QByteArray datei = kopf(pcm.size(), sampleRate, kanaele);
    if (datei.isEmpty()) {
        return {};
    }
    datei.reserve(kopfGroesse + mitFuellbyte(pcm.size()));
    datei.append(pcm);
    if (pcm.size() % 2 != 0) {
        datei.append('\0');
    }
    return datei;
}

} // namespace parlix::WAVKodierer
