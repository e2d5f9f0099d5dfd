#include "app/ui/hud/HUDController.hpp"

#include "app/ui/hud/HUDFenster.hpp"

#include <cmath>

namespace parlix {

HUDController::HUDController(HUDFenster& fenster)
    : fenster_(fenster) {}

void HUDController::zeigeAufnahme(const Einstellungen& einstellungen) {
    model_.setzeFehler(std::nullopt);
    model_.setzeHinweis(std::nullopt);
    model_.setzeText({});
    model_.setzeGesperrt(false);
    model_.ladeDarstellung(einstellungen);
    model_.setzeAnimationZurueck();
    model_.setzeZustand(AppZustand::aufnehmend);
    zeige();
}

void HUDController::zeigeVerarbeitung(MainQueue::Zeitpunkt jetzt) {
    model_.setzeZustand(AppZustand::transkribierend);
    model_.starteMorph(1.0, jetzt);
}

void HUDController::zeige() {
    fenster_.zeige(model_);
}

void HUDController::verstecke() {
    fenster_.verstecke();
}

QSizeF HUDController::fenstergroesse(double groesse) {
    // fmax also turns a NaN into the minimum.
    const double faktor = std::fmax(groesse, 0.5);
    return {360.0 * faktor, 180.0 * faktor};
}

} // namespace parlix
