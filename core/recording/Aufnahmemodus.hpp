#pragma once

#include <QString>

namespace parlix {

// The mode of a recording, chosen by the hotkey that started it. Only the finalisation
// tells the modes apart: diktat is cleaned up and inserted, the other two go to the
// action pipeline.
enum class Aufnahmemodus { diktat, aktion, promptModus };

// The case name ("diktat", "aktion", "promptModus"), for log lines.
QString alsText(Aufnahmemodus modus);

} // namespace parlix
