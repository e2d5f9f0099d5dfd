#pragma once

#include <QString>

namespace parlix {

struct Hotkey;

// German display names and symbols of keys, by macOS virtual key code. Codes missing
// from a table are shown as "Taste <code>". These are the names a hotkey is stored and
// logged with; anzeige() gives what the interface shows.
namespace Tastennamen {

// Names of the modifier and special keys: 59 "Linke Strg", 49 "Leertaste", 96 "F5" ...
QString name(quint16 keyCode);
// Symbols of letters, digits and a few keys: 0 "A", 49 "␣", 122 "F1" ...
QString zeichen(quint16 keyCode);
// The modifier bit a key produces; keys that produce none (and Control) give Control.
quint64 flag(quint16 keyCode);
// "⌃⌥⇧⌘" for the modifiers present, always in this order, then the key's symbol.
QString kombiName(quint16 keyCode, quint64 modifiers);
// The hotkey as its keys are labelled on a PC keyboard under Linux, in the interface
// language `sprache`: "Left Ctrl", "Strg links", "Shift+Super+L". Derived from the key
// code and the modifiers, whatever the stored name says.
QString anzeige(const Hotkey& hotkey, const QString& sprache);

} // namespace Tastennamen

} // namespace parlix
