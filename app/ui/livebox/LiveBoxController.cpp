#include "app/ui/livebox/LiveBoxController.hpp"

#include "app/ui/livebox/LiveBoxFenster.hpp"

namespace parlix {

LiveBoxController::LiveBoxController(LiveBoxFenster& fenster)
    : fenster_(fenster) {}

void LiveBoxController::zeige() {
    model_.leere();
    fenster_.zeige(model_);
}

void LiveBoxController::verstecke() {
    fenster_.verstecke();
}

} // namespace parlix
