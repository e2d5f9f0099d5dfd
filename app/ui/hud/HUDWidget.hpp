#pragma once

#include "app/ui/SchwebeFenster.hpp"
#include "app/ui/hud/HUDFenster.hpp"
#include "app/ui/hud/HUDMoment.hpp"
#include "app/ui/hud/HUDZeichner.hpp"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>

namespace parlix {

class DefaultsStore;
class HUDModel;
class MainQueue;

// The HUD window: a click-through overlay at the bottom centre of the screen with the
// focused window, 120 points above its bottom edge, sized by the model. It fades in
// over 0.22 s and out over 0.3 s and redraws at 60 frames per second only while it is
// shown, each frame only as far as the picture changes (HUDZeichner); its content fades
// out while the state is idle. Main thread.
class HUDWidget final : public SchwebeFenster, public HUDFenster {
    Q_OBJECT

public:
    // `uhr`: the clock the model's morph is timed on.
    HUDWidget(MainQueue& uhr, DefaultsStore& speicher, Arbeitsflaeche& arbeitsflaeche);

    void zeige(HUDModel& model) override;
    void verstecke() override;

    // Whether the frame timer runs.
    bool animiert() const { return takt_.isActive(); }
    // What the next frame shows.
    HUDMoment moment() const;

    static constexpr int bildIntervallMs = 16;
    static constexpr qsizetype verlaufLaenge = 64;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    QRegion form() const override;

private:
    void verbinde(HUDModel& model);
    void naechstesBild();
    void zustandGewechselt();
    // Takes the moment the next frame shows and asks for the part of the window it changes.
    void plane();

    MainQueue& uhr_;
    DefaultsStore& speicher_;
    QPointer<HUDModel> model_;
    QTimer takt_;
    QVariantAnimation deckkraftBlende_;
    double deckkraft_ = 0.0;
    QList<float> pegelVerlauf_;
    HUDZeichner zeichner_;
    // What the next paint shows: the moment the last plane() took.
    HUDMoment bild_;
};

} // namespace parlix
