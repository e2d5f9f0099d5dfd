#pragma once

#include "app/platform/AudioRecorder.hpp"

namespace parlix {

// No microphone service on this desktop: every start fails with a readable reason, which
// the recording shows as its microphone error.
class NullAudioRecorder final : public AudioRecorder {
public:
    void starte() override;
    void stoppe() override {}
};

} // namespace parlix
