#pragma once

#include "core/recording/AppZustand.hpp"

#include <QString>

namespace parlix::StatusPanelTexte {

// The localisation key of the state's label in the status panel ("status.bereit", ...).
QString statusLabel(AppZustand zustand);

// Shortens a text to one line of the status panel: trimmed at both ends; if more than
// `max` characters remain, the first `max` characters without trailing blanks, then "…".
// A character is what the user sees as one (a grapheme cluster): an emoji with a skin
// tone, a letter with combining accents or a flag counts once and is never cut apart.
// A negative `max` counts as 0.
QString kuerze(const QString& text, int max);

} // namespace parlix::StatusPanelTexte
