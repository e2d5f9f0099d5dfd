#pragma once

namespace parlix {

// What happens to a recording on its way from the hotkey to the inserted text.
enum class AppEreignis { aufnahmeGestartet, aufnahmeGestoppt, textErhalten, fertig, fehler };

} // namespace parlix
