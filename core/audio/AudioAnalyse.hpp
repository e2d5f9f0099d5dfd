#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Measurements of recordings in the shared recording format: signed 16-bit little-endian
// PCM. Every function takes the bytes as they are: a trailing odd byte is ignored, and
// too little audio or a sample rate below 1 counts as silence. The measurements make one
// pass over the samples without allocating; everything here is safe on any thread.
namespace parlix::AudioAnalyse {

// Duration in seconds; RMS and peak on the full-scale range 0 to 1.
struct Messung {
    double dauer = 0.0;
    double rms = 0.0;
    double spitze = 0.0;
};

Messung messen(QByteArrayView pcm, int sampleRate);

// True exactly when the recording lasts at least minDauer seconds and its RMS is at
// least minRMS (both inclusive). Finalisation uses 16000 Hz, 0.3 s and 0.006.
bool hatSprache(QByteArrayView pcm, int sampleRate, double minDauer, double minRMS);

// True for transcripts that speech models produce on silence or noise: nothing, subtitle
// credits, or a single word that is a bare web address.
bool istHalluzination(const QString& transkript);

// The level of one captured chunk for the live display: min((RMS × 8)^0.7, 1), so that
// quiet speech already moves the display. None for a chunk of fewer than two bytes.
std::optional<float> pegel(QByteArrayView chunk);

} // namespace parlix::AudioAnalyse
