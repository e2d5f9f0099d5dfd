#pragma once

#include "app/ui/hud/HUDModel.hpp"

#include <QSizeF>

namespace parlix {

class HUDFenster;

// Owns the HUD model and shows or hides its window. Main thread.
class HUDController {
public:
    explicit HUDController(HUDFenster& fenster);

    HUDModel& model() { return model_; }
    const HUDModel& model() const { return model_; }

    void zeige();
    void verstecke();

    // The window's size in points for the setting "hudGroesse": 360 × 180 scaled by the
    // size, never below half.
    static QSizeF fenstergroesse(double groesse);

private:
    HUDModel model_;
    HUDFenster& fenster_;
};

} // namespace parlix
