#pragma once

#include <QColor>
#include <QWidget>

namespace parlix {

// A symbol (see Symbol) or, for the name "logo", the application icon, drawn sharp at
// any pixel ratio.
class SymbolBild final : public QWidget {
    Q_OBJECT

public:
    SymbolBild(const QString& symbol, int kante, const QColor& farbe = {},
               QWidget* eltern = nullptr);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QString symbol_;
    QColor farbe_;
};

} // namespace parlix
