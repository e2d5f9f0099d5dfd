#pragma once

#include <QWidget>
#include <functional>

namespace parlix {

class SettingsModel;
class Texte;

// The language pane: the interface language (a change asks to restart, as the running
// program keeps its language) and the language of dictation.
class SpracheSeite final : public QWidget {
    Q_OBJECT

public:
    SpracheSeite(SettingsModel& model, const Texte& texte,
                 std::function<void(QWidget*, const QString&)> frageNeustart,
                 QWidget* eltern = nullptr);
};

} // namespace parlix
