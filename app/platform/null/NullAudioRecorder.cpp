#include "app/platform/null/NullAudioRecorder.hpp"

#include <stdexcept>

namespace parlix {

void NullAudioRecorder::starte() {
    throw std::runtime_error("Keine Tonaufnahme in dieser Sitzung");
}

} // namespace parlix
