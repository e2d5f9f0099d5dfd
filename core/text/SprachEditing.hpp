#pragma once

#include <QString>

namespace parlix {

// Decides whether a dictation is an instruction to rewrite the selected text
// ("mach das kürzer", "make it shorter", "bereite den Bericht auf").
namespace SprachEditing {

bool istEditBefehl(const QString& text);

} // namespace SprachEditing

} // namespace parlix
