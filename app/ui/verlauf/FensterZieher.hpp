#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

namespace parlix {

// An area that moves its window when dragged. Without a window manager (and for our
// unmanaged panels) it moves the window itself.
class FensterZieher final : public QWidget {
    Q_OBJECT

public:
    explicit FensterZieher(QWidget* eltern = nullptr);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;

private:
    // Where the pointer grabbed the window, relative to its top-left corner.
    std::optional<QPoint> griff_;
};

} // namespace parlix
