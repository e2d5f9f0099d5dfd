#pragma once

#include <QString>

// Keyword rules that route a spoken request.
namespace parlix::Aktionen {

// Whether the transcript asks for a reply to the message on screen: its lower-cased
// form begins with "antworte" (which covers "antworten" and "antwortet"), "antwort "
// or "reply".
bool istAntwortAnfrage(const QString& text);

} // namespace parlix::Aktionen
