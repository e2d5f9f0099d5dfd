#pragma once

#include <QByteArray>
#include <functional>
#include <memory>

namespace parlix {

// Microphone capture for one recording, in the shared recording format: signed 16-bit
// little-endian PCM, 16000 Hz, mono, no header.
class AudioRecorder {
public:
    using ChunkHandler = std::function<void(const QByteArray& chunk)>;

    virtual ~AudioRecorder() = default;

    // Set before starte(). Called on the capture thread once per chunk (about 85 ms of
    // audio, always an even byte count); it must return quickly.
    ChunkHandler onChunk;

    // Selects the device and starts capture. Throws std::runtime_error whose what() is a
    // readable description when no sound server or source is available.
    virtual void starte() = 0;

    // Stops capture. Once it returns, onChunk is never called again. Safe to call twice.
    virtual void stoppe() = 0;
};

// Creates a fresh recorder for each recording.
using AudioRecorderFabrik = std::function<std::unique_ptr<AudioRecorder>()>;

} // namespace parlix
