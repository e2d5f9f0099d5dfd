#pragma once

namespace parlix {

class HUDModel;

// The HUD window: small, click-through, never focused, near the bottom centre of the
// screen. It draws what the model holds and follows its changes. Main thread.
class HUDFenster {
public:
    virtual ~HUDFenster() = default;

    // Fades the window in (created on first use, then reused), sized by
    // HUDController::fenstergroesse(model.groesse()).
    virtual void zeige(HUDModel& model) = 0;
    // Fades it out; hiding during a fade-in still ends hidden.
    virtual void verstecke() = 0;
};

} // namespace parlix
