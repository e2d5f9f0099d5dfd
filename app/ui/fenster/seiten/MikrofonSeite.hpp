#pragma once

#include <QWidget>

namespace parlix {

class SettingsModel;
class Texte;

// The microphone pane: the system default first, then the inputs of the sound server.
class MikrofonSeite final : public QWidget {
    Q_OBJECT

public:
    MikrofonSeite(SettingsModel& model, const Texte& texte, QWidget* eltern = nullptr);
};

} // namespace parlix
