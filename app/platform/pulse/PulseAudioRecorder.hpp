#pragma once

#include "app/platform/AudioRecorder.hpp"

#include <memory>

namespace parlix {

class DefaultsStore;
class PulseVerbindung;

// Captures from a PulseAudio source: the microphone of the setting "mikrofonUID", or the
// default source when it is empty or not connected. Chunks hold kChunkSamples samples
// (about 85 ms) and arrive on the connection's event thread. The connection exists only
// from starte() to stoppe(), so nothing runs between recordings.
class PulseAudioRecorder final : public AudioRecorder {
public:
    // 4096 frames at 48 kHz, the usual capture period, in the 16 kHz recording format.
    static constexpr int kChunkSamples = 1365;
    static constexpr int kChunkBytes = 2 * kChunkSamples;

    explicit PulseAudioRecorder(DefaultsStore& speicher);
    ~PulseAudioRecorder() override;

    void starte() override;
    // Must not be called from onChunk.
    void stoppe() override;

    static AudioRecorderFabrik fabrik(DefaultsStore& speicher);

private:
    // The source to record from; empty for the server's default.
    QString waehleGeraet(PulseVerbindung& verbindung) const;

    DefaultsStore& speicher_;
    std::unique_ptr<PulseVerbindung> verbindung_;
};

} // namespace parlix
