#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace parlix::Symbole {

// haken and hinweis are filled discs; strich is the bare check mark.
enum class Name { muell, plus, haken, hinweis, strich };

// A line symbol in the given colour, drawn from vector data at the screen's resolution.
QPixmap bild(Name name, const QColor& farbe, int groesse);
QIcon icon(Name name, const QColor& farbe, int groesse = 16);

} // namespace parlix::Symbole
