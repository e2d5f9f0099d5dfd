#pragma once

#include <QColor>
#include <QString>

namespace parlix {

// The colour of a setting such as "#4FB4FF": blanks around it and one leading "#" are
// ignored, and exactly six hexadecimal digits are red, green and blue (opaque sRGB).
// Anything else gives the fallback blue (0.31, 0.71, 1.0).
QColor farbeAusHex(const QString& hex);

} // namespace parlix
