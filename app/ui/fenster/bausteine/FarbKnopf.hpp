#pragma once

#include <QPushButton>

namespace parlix {

// A button that shows a colour as a round swatch with its "#RRGGBB" text and opens the
// colour dialog (without opacity) when pressed.
class FarbKnopf final : public QPushButton {
    Q_OBJECT

public:
    FarbKnopf(const QString& dialogTitel, QWidget* eltern = nullptr);

    QColor farbe() const { return farbe_; }
    void setzeFarbe(const QColor& farbe);

signals:
    // Only for a colour the user chose.
    void farbeGewaehlt(const QColor& farbe);

private:
    QColor farbe_;
};

} // namespace parlix
