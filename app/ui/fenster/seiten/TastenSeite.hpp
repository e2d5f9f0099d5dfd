#pragma once

#include <QWidget>

namespace parlix {

class SettingsModel;
class Texte;

// The keys pane: the three mode hotkeys and how a recording is locked hands-free.
class TastenSeite final : public QWidget {
    Q_OBJECT

public:
    TastenSeite(SettingsModel& model, const Texte& texte, QWidget* eltern = nullptr);
};

} // namespace parlix
