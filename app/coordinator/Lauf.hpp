#pragma once

#include "core/concurrency/MainQueue.hpp"
#include "core/recording/Aufnahmemodus.hpp"

#include <QString>
#include <optional>
#include <stop_token>

namespace parlix {

// One run of the pipelines for a finished recording: its stop token, requested when the
// run is cancelled, and what the coordinator knew of the recording when it stopped. The
// pipelines read these instead of the coordinator's fields, which the next recording
// overwrites while a cancelled run may still be winding down.
struct Lauf {
    std::stop_token stop;
    Aufnahmemodus modus = Aufnahmemodus::diktat;
    // The application that was frontmost when the recording started.
    std::optional<QString> vordergrundBundle;
    MainQueue::Zeitpunkt stopZeit;
};

} // namespace parlix
