#pragma once

#include "app/coordinator/HUDAnzeige.hpp"
#include "app/ui/hud/HUDModel.hpp"

#include <QSizeF>

namespace parlix {

class HUDFenster;

// Owns the HUD model and shows or hides its window. Main thread.
class HUDController final : public HUDAnzeige {
public:
    explicit HUDController(HUDFenster& fenster);

    HUDModel& model() { return model_; }
    const HUDModel& model() const { return model_; }

    void zeigeAufnahme(const Einstellungen& einstellungen) override;
    void zeigeVerarbeitung(MainQueue::Zeitpunkt jetzt) override;
    void setzeZustand(AppZustand zustand) override { model_.setzeZustand(zustand); }
    void setzeGesperrt(bool gesperrt) override { model_.setzeGesperrt(gesperrt); }
    void schiebePegel(float pegel) override { model_.schiebePegel(pegel); }
    void setzeFehler(const std::optional<QString>& text) override { model_.setzeFehler(text); }
    void setzeHinweis(const std::optional<QString>& text) override { model_.setzeHinweis(text); }
    void zeige() override;
    void verstecke() override;

    // The window's size in points for the setting "hudGroesse": 360 × 180 scaled by the
    // size, never below half.
    static QSizeF fenstergroesse(double groesse);

private:
    HUDModel model_;
    HUDFenster& fenster_;
};

} // namespace parlix
