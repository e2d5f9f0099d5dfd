#pragma once

#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QWidget>

class QLabel;
class QPushButton;

namespace parlix {

class Texte;

// One hotkey of the keys pane: its mode, the key's name as a key cap, and the button
// that records a new one. While it records, the cap asks for the keys.
class HotkeyZeile final : public QWidget {
    Q_OBJECT

public:
    HotkeyZeile(SettingsModel& model, SettingsModel::Hotkeyart art, const QString& text,
                const Texte& texte, QWidget* eltern = nullptr);

    QPushButton* knopf() const { return knopf_; }
    QLabel* taste() const { return taste_; }

private:
    void zeige();

    SettingsModel& model_;
    const SettingsModel::Hotkeyart art_;
    const QString druecke_;
    QLabel* taste_;
    QPushButton* knopf_;
};

} // namespace parlix
