#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

// The look the windows share: sizes, colours taken from the palette (so that light and
// dark styles both work) and the few building blocks every pane uses.
namespace parlix::FensterStil {

inline constexpr int radius = 10;
// Inner margin of cards and windows.
inline constexpr int innen = 16;
inline constexpr int zeilenAbstand = 14;
// Width of the content column of a settings pane.
inline constexpr int spaltenBreite = 560;

bool istDunkel(const QPalette& palette);
// A card stands out from the window a little: white on light, lighter on dark.
QColor kartenGrund(const QPalette& palette);
QColor linie(const QPalette& palette);
// The sidebar sets itself off from the content a little.
QColor seitenleistenGrund(const QPalette& palette);
QColor erfolg(const QPalette& palette);
QColor warnung(const QPalette& palette);
QColor fehler(const QPalette& palette);

// A line symbol of the program (see Symbol) as a button icon in the colour.
QIcon symbolIcon(const QString& name, const QColor& farbe, int kante = 16);

QFont titelSchrift(QFont basis);
QFont kartenTitelSchrift(QFont basis);
QFont kleineSchrift(QFont basis);

// The style sheet every window of ours sets: sidebar, key caps, segmented choices and
// the primary button (property rolle = "primaer"), in the colours of the palette.
QString stilBlatt();
// Applies stilBlatt() to a top-level window.
void richteFensterEin(QWidget* fenster);

// The layout of a pane: cards one below the other, without margins of its own.
QVBoxLayout* karten(QWidget* seite);
// A column layout whose first items are a window's heading and its explanation.
QVBoxLayout* kopf(QWidget* flaeche, const QString& titel, const QString& erklaerung);

// A row of a card: the label on the left, the control on the right. The label also
// names the control for screen readers, unless it has a name already.
QWidget* zeile(const QString& text, QWidget* steuerung);
// A label above a control that takes the whole width (sliders, text fields).
QWidget* stapel(const QString& text, QWidget* steuerung, QLabel* wertAnzeige = nullptr);
// The large title of a pane or window.
QLabel* titel(const QString& text);
// A wrapped, dimmed explanation.
QLabel* erklaerung(const QString& text);

} // namespace parlix::FensterStil
