#pragma once

#include "app/ui/hud/HUDMoment.hpp"

#include <QTimer>
#include <QWidget>

namespace parlix {

class SettingsModel;

// The HUD as it will look with the chosen style, colour and size, moving with a voice-
// like level while it can be seen.
class HUDVorschau final : public QWidget {
    Q_OBJECT

public:
    HUDVorschau(SettingsModel& model, const QString& zustandText, QWidget* eltern = nullptr);

    // What is drawn now.
    const HUDMoment& moment() const { return moment_; }
    double groesse() const { return groesse_; }

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;

private:
    void uebernimm();
    void schritt();

    SettingsModel& model_;
    HUDMoment moment_;
    double groesse_ = 1.0;
    int bild_ = 0;
    QTimer takt_;
};

} // namespace parlix
