#pragma once

#include <QAbstractButton>
#include <QColor>

namespace parlix {

// A small round button showing one symbol (see Symbol), lit on hover and press. It
// never takes the keyboard focus, so clicking it leaves the focus where it was.
class SymbolKnopf final : public QAbstractButton {
    Q_OBJECT

public:
    SymbolKnopf(const QString& symbol, const QString& tipp, QWidget* eltern = nullptr,
                int kante = 30);

    void setzeFarbe(const QColor& farbe);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void enterEvent(QEnterEvent* ereignis) override;
    void leaveEvent(QEvent* ereignis) override;

private:
    QString symbol_;
    int kante_;
    QColor farbe_;
    bool schwebt_ = false;
};

} // namespace parlix
