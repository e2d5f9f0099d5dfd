#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

namespace parlix {

class Klangspieler;
class SettingsModel;
class Texte;
struct FensterDienste;

// The behaviour pane: sounds, output volume while recording, start delay, clipboard,
// per-application tone, data protection, login start and updates.
class VerhaltenSeite final : public QWidget {
    Q_OBJECT

public:
    VerhaltenSeite(SettingsModel& model, const Texte& texte, FensterDienste& dienste,
                   QWidget* eltern = nullptr);

    // The volume slider's label: "Unverändert" at 100, "Stumm" at 0, else "N %", for the
    // value truncated to a whole number.
    static QString lautstaerkeLabel(double wert, const Texte& texte);
};

} // namespace parlix
