#pragma once

namespace parlix {

class SchwebeFenster;

// Shows the click-through overlays (HUD, live box) on a layer of the desktop's own
// instead of as windows, which a compositor may tile or focus. Main thread.
class Ueberlagerung {
public:
    virtual ~Ueberlagerung() = default;

    // From now on `fenster` appears there whenever it is shown: at the bottom centre of
    // the screen, its bottom edge randUnten() above the screen's free area, faded as
    // deckkraft() says, never focused, clicks passing through. The window itself
    // never appears on the screen. Before its first showing; it may go before this object.
    virtual void uebernimm(SchwebeFenster& fenster) = 0;
};

} // namespace parlix
