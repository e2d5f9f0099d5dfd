#pragma once

#include "app/ui/livebox/LiveBoxModel.hpp"

namespace parlix {

class LiveBoxFenster;

// Owns the live word box's model and shows or hides its window. Main thread.
class LiveBoxController {
public:
    explicit LiveBoxController(LiveBoxFenster& fenster);

    LiveBoxModel& model() { return model_; }

    // Clears the previous recording's words, then shows the box.
    void zeige();
    void verstecke();

private:
    LiveBoxModel model_;
    LiveBoxFenster& fenster_;
};

} // namespace parlix
