#pragma once

#include "core/recording/AppEreignis.hpp"

namespace parlix {

// The visible state of the recording, shown by the HUD and the status panel.
enum class AppZustand { idle, aufnehmend, transkribierend, einfuegend };

// The state after an event. fehler returns to idle from anywhere; otherwise each state
// advances on exactly one event and stays put on every other one, so a late or repeated
// event (a second start while recording, fertig while still recording) changes nothing.
AppZustand naechster(AppZustand zustand, AppEreignis ereignis);

} // namespace parlix
