#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Wraps raw 16-bit PCM in a RIFF/WAVE file for upload: a 44-byte header, then the bytes
// unchanged. The encoder does not look at the samples.
namespace parlix::WAVKodierer {

// The 44-byte header for `pcmBytes` bytes of 16-bit PCM, or an empty array when no
// header can describe them: a byte rate beyond 32 bits, more than 32767 channels, or a
// file beyond 4 GiB (16 kHz mono reaches that after about 37 hours).
QByteArray kopf(qint64 pcmBytes, quint32 sampleRate, quint16 kanaele);

// Header and PCM in one buffer, or an empty array when kopf() has no header. An odd
// byte count gets the pad byte that RIFF requires after the data (not counted in the
// data size), so the file stays well-formed.
QByteArray wav(QByteArrayView pcm, quint32 sampleRate, quint16 kanaele);

} // namespace parlix::WAVKodierer
