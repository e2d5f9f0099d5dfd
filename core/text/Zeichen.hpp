#pragma once

#include <QString>

namespace parlix {

// Character counts and prefixes as the user sees characters: a grapheme cluster (an
// emoji with a skin tone, a letter with combining accents) counts once and is never
// cut apart. Log lines count and shorten texts this way.
qsizetype anzahlZeichen(const QString& text);

// The first `anzahl` characters of the text (all of it when it is shorter).
QString ersteZeichen(const QString& text, qsizetype anzahl);

} // namespace parlix
