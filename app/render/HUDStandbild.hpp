#pragma once

#include "app/ui/hud/HUDMoment.hpp"

#include <QWidget>

namespace parlix {

// One frozen frame of the HUD at its base size, for the render harness.
class HUDStandbild final : public QWidget {
    Q_OBJECT

public:
    explicit HUDStandbild(HUDMoment moment);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    HUDMoment moment_;
};

} // namespace parlix
