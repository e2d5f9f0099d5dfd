#pragma once

#include <QWidget>

namespace parlix {

class SettingsModel;
class Texte;

// The vocabulary pane: the user's own terms as free text.
class VokabularSeite final : public QWidget {
    Q_OBJECT

public:
    VokabularSeite(SettingsModel& model, const Texte& texte, QWidget* eltern = nullptr);
};

} // namespace parlix
