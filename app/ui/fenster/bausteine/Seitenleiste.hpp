#pragma once

#include <QWidget>

class QBoxLayout;
class QHBoxLayout;
class QVBoxLayout;

namespace parlix {

// The left column of the settings and manual windows: a title over whatever the window
// puts below it, on a ground set a little apart from the content, in the palette's
// colours of the moment.
class Seitenleiste final : public QWidget {
    Q_OBJECT

public:
    Seitenleiste(const QString& titel, const QFont& schrift, int breite, QWidget* eltern = nullptr);

    QVBoxLayout* inhalt() const { return inhalt_; }

    // A window of two columns: this one on the left, the content on the right.
    QHBoxLayout* teileFenster(QWidget* fenster);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QVBoxLayout* inhalt_;
};

} // namespace parlix
