#pragma once

#include <functional>
#include <optional>

class QWidget;

namespace parlix {

// Shows the click-through overlays (HUD, live box) on a layer of the desktop's own
// instead of as windows, which a compositor may tile or focus. Main thread.
class Ueberlagerung {
public:
    // Where an overlay goes and how faded it is; asked whenever it is shown or drawn.
    struct Platzierung {
        // The distance of its bottom edge above the screen's free area, in points;
        // nothing for the screen's middle.
        std::function<std::optional<int>()> randUnten;
        // Its fade, 0 (gone) ... 1.
        std::function<double()> deckkraft;
    };

    virtual ~Ueberlagerung() = default;

    // From now on `fenster` appears there whenever it is shown: at the bottom centre of
    // the screen, placed and faded as `platzierung` says, never focused, clicks passing
    // through. The window itself never appears on the screen. Before its first showing;
    // it may go before this object.
    virtual void uebernimm(QWidget& fenster, Platzierung platzierung) = 0;
};

} // namespace parlix
