#include "app/ui/verlauf/FensterZieher.hpp"

#include <QMouseEvent>

namespace parlix {

FensterZieher::FensterZieher(QWidget* eltern)
    : QWidget(eltern) {
    setCursor(Qt::OpenHandCursor);
}

void FensterZieher::mousePressEvent(QMouseEvent* ereignis) {
    if (ereignis->button() == Qt::LeftButton) {
        griff_ = ereignis->globalPosition().toPoint() - window()->pos();
        setCursor(Qt::ClosedHandCursor);
    }
}

void FensterZieher::mouseMoveEvent(QMouseEvent* ereignis) {
    if (griff_) {
        window()->move(ereignis->globalPosition().toPoint() - *griff_);
    }
}

void FensterZieher::mouseReleaseEvent(QMouseEvent*) {
    griff_.reset();
    setCursor(Qt::OpenHandCursor);
}

} // namespace parlix
