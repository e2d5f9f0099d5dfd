#pragma once

#include "app/ui/Texte.hpp"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace parlix {

class DefaultsStore;
class Segmente;

// The service Parlix uses: its own on this computer, or a hosted one at an address. An
// address that is neither https nor http to this computer is refused with the reason;
// a changed choice is stored and, as it applies from the next start, `frageNeustart`
// offers to restart. Shown in the account pane and the setup's account step.
class BackendKarte final : public QWidget {
    Q_OBJECT

public:
    using FrageNeustart = std::function<void(QWidget* fenster, const QString& textKey)>;

    BackendKarte(DefaultsStore& speicher, const Texte& texte, FrageNeustart frageNeustart,
                 QWidget* eltern = nullptr);

signals:
    // Another service was stored.
    void gewechselt();

private:
    void uebernimm();

    DefaultsStore& speicher_;
    Texte texte_;
    FrageNeustart frageNeustart_;
    // 0: on this computer, 1: hosted.
    Segmente* art_;
    QLineEdit* adresse_;
    QLabel* fehler_;
};

} // namespace parlix
