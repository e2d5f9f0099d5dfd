#pragma once

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <QString>

class QPainter;

namespace parlix {

// The program's vector symbols and icons (resources/icons). A symbol is a line drawing
// in one colour: "verlauf", "einstellungen", "einrichtung", "handbuch", "beenden",
// "kopieren", "einfuegen", "schliessen", "mikro", "aktion", "prompt", "schloss",
// "warnung", "haken". Main thread.
namespace Symbol {

// Draws the symbol into the rectangle in the colour, sharp at the painter's pixel ratio.
void zeichne(QPainter& maler, const QString& name, const QRectF& ziel, const QColor& farbe);

// The application icon (windows, about) and the tray icon, readable on light and dark
// panels; `aktiv` marks a running recording.
QIcon appIcon();
QIcon trayIcon(bool aktiv);
// Draws the application icon into the rectangle.
void zeichneLogo(QPainter& maler, const QRectF& ziel);

} // namespace Symbol

} // namespace parlix
