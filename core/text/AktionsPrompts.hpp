#pragma once

#include <QString>

// The system prompts of the action, prompt-mode, reply, vision and selection-editing
// calls. The wording is what the models are tuned against: change it only on purpose.
namespace parlix::AktionsPrompts {

// An instruction applied to a text (the user message is GroqChat::aktionsNutzer).
const QString& aktion();
// A dictated idea turned into a structured prompt for another AI.
const QString& promptModus();
// A reply to a message, with what the reply should say.
const QString& antwort();
// A reply to the last incoming message on a screenshot that says `intent`, or something
// sensible and friendly when the intent is empty.
QString antwortAusScreenshot(const QString& intent);
// An instruction applied to a screenshot.
const QString& visionAktion();
// A rewrite of the selected text.
const QString& auswahlEdit();

} // namespace parlix::AktionsPrompts
