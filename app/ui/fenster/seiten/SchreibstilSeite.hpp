#pragma once

#include <QWidget>

namespace parlix {

class SettingsModel;
class Texte;

// The writing-style pane: the style of the cleaned-up text and the domain profile.
class SchreibstilSeite final : public QWidget {
    Q_OBJECT

public:
    SchreibstilSeite(SettingsModel& model, const Texte& texte, QWidget* eltern = nullptr);
};

} // namespace parlix
