#include "app/render/HUDStandbild.hpp"

#include "app/ui/hud/HUDBild.hpp"

#include <QPainter>

namespace parlix {

HUDStandbild::HUDStandbild(HUDMoment moment)
    : moment_(std::move(moment)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(HUDBild::grundgroesse.toSize());
}

void HUDStandbild::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    HUDBild::zeichne(maler, size(), moment_);
}

} // namespace parlix
