#pragma once

#include <QString>

namespace parlix {

class Einstellungen;

// The system prompt that makes the chat model edit a dictation rather than answer it.
namespace CleanupPrompt {

// The built-in base: nine rules in one German paragraph.
QString standard();

// The base from the settings, then in this order the style line, the profile's domain
// line, the application's tone line (only without style and profile), the glossary and
// the snippets, each on its own line and each only when it has content.
QString baue(const Einstellungen& einstellungen, const QString& fuerApp);

} // namespace CleanupPrompt

} // namespace parlix
