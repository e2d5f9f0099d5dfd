#pragma once

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/modelle/OnboardingModel.hpp"

#include <QWidget>

class QLabel;
class QPushButton;

namespace parlix {

class Karte;

// One grant in the onboarding and setup windows: its title and purpose, then a check
// mark when it is present, else the action that fixes it on this desktop and, where an
// action cannot, a note saying what is missing.
class RechteZeile final : public QWidget {
    Q_OBJECT

public:
    RechteZeile(OnboardingModel& model, OnboardingModel::Recht recht, const Texte& texte,
                QWidget* eltern = nullptr);

    // A card with the rows of the three grants.
    static Karte* alle(OnboardingModel& model, const Texte& texte);

    QPushButton* aktion() const { return aktion_; }
    QLabel* hinweis() const { return hinweis_; }
    // Whether the check mark is shown.
    bool erteilt() const;

private:
    void zeige();

    OnboardingModel& model_;
    const OnboardingModel::Recht recht_;
    const Texte texte_;
    QLabel* symbol_;
    QLabel* hinweis_;
    QPushButton* aktion_;
};

} // namespace parlix
