#include "app/ui/fenster/modelle/SetupModel.hpp"

#include "app/ui/Texte.hpp"
#include "core/settings/Einstellungen.hpp"

namespace parlix {

SetupModel::SetupModel(OnboardingModel& rechte, DefaultsStore& speicher)
    : rechte_(rechte)
    , speicher_(speicher) {}

void SetupModel::weiter() {
    if (schritt_ >= letzterSchritt) {
        beende();
    } else {
        geheZu(schritt_ + 1);
    }
}

void SetupModel::zurueck() {
    if (schritt_ > 0) {
        geheZu(schritt_ - 1);
    }
}

void SetupModel::geheZu(int schritt) {
    schritt_ = schritt;
    emit schrittGeaendert(schritt_);
}

void SetupModel::waehleSprache(const QString& code) {
    Texte(speicher_).waehleSprache(code);
    emit spracheGeaendert();
}

void SetupModel::beende() {
    Einstellungen einstellungen(speicher_);
    einstellungen.setzeSetupErledigt(true);
    einstellungen.setzeOnboardingErledigt(true);
    emit fertig();
}

} // namespace parlix
