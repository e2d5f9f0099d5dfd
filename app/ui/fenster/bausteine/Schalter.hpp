#pragma once

#include <QCheckBox>

namespace parlix {

// An on/off switch as a whole card row: the text on the left, the switch on the right.
// It is a check box underneath, so the keyboard (Tab, Space) and screen readers treat
// it as one; a click anywhere on the row toggles it.
class Schalter final : public QCheckBox {
    Q_OBJECT

public:
    explicit Schalter(const QString& text, QWidget* eltern = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int breite) const override;

protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& punkt) const override;

private:
    static int textBreite(int breite);
};

} // namespace parlix
