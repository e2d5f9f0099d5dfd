#pragma once

#include "app/coordinator/LaufEinstellungen.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/recording/Aufnahmemodus.hpp"

#include <QString>
#include <optional>
#include <stop_token>

namespace parlix {

// The recording's PCM: s16le, mono, at this rate.
inline constexpr int laufAbtastrate = 16000;

// One run of the pipeline for a finished recording: its stop token, requested when the
// run is cancelled, what the coordinator knew of the recording when it stopped, and the
// settings read at that moment. The pipeline and the delivery read these instead of the
// coordinator's fields, which the next recording overwrites while a cancelled run may
// still be winding down.
struct Lauf {
    std::stop_token stop;
    Aufnahmemodus modus = Aufnahmemodus::diktat;
    // The application that was frontmost when the recording started.
    std::optional<QString> vordergrundBundle;
    MainQueue::Zeitpunkt stopZeit;
    LaufEinstellungen einstellungen;
};

} // namespace parlix
