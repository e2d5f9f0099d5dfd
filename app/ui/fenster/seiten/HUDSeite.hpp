#pragma once

#include <QWidget>

namespace parlix {

class SettingsModel;
class Texte;

// The HUD pane: style, colour and size of the recording indicator, with a live preview.
class HUDSeite final : public QWidget {
    Q_OBJECT

public:
    HUDSeite(SettingsModel& model, const Texte& texte, QWidget* eltern = nullptr);
};

} // namespace parlix
