#pragma once

#include <QString>

// Keyword rules that route a spoken request. Each compares the lower-cased text, so a
// keyword counts anywhere, even inside a longer word.
namespace parlix::Aktionen {

// Whether the transcript asks for a reply to the message on screen: its lower-cased
// form begins with "antworte" (which covers "antworten" and "antwortet"), "antwort "
// or "reply".
bool istAntwortAnfrage(const QString& text);

// Whether the request is about what the screen shows ("screenshot", "bildschirm",
// "fenster"): it is answered from a screenshot, never pasted.
bool willScreenshot(const QString& text);

// Whether the request is about the whole page ("seite", "website", "artikel", ...).
bool willSeite(const QString& text);

// Whether the result replaces text in place (translate, rephrase, correct, make more
// formal, polite or shorter, replace) rather than going to the history panel.
bool direktHeuristik(const QString& text);

// What a reply should say: the request without its leading "antworten", "antworte",
// "antwort" or "reply" (any letter case), without the blanks, tabs and " ,.:;-–" around
// it. May be empty.
QString antwortIntent(const QString& text);

} // namespace parlix::Aktionen
