#include "app/ui/hud/HUDModel.hpp"

#include "app/ui/hud/HexFarbe.hpp"
#include "core/settings/Einstellungen.hpp"

#include <algorithm>
#include <chrono>

namespace parlix {

namespace {

// Emits only when the value changes.
template <class T, class Signal>
void aendere(HUDModel* model, T& feld, const T& wert, Signal signal) {
    if (feld != wert) {
        feld = wert;
        emit(model->*signal)(feld);
    }
}

} // namespace

void HUDModel::setzeZustand(AppZustand zustand) {
    aendere(this, zustand_, zustand, &HUDModel::zustandGeaendert);
}

void HUDModel::setzeText(const QString& text) {
    aendere(this, text_, text, &HUDModel::textGeaendert);
}

void HUDModel::setzeGesperrt(bool gesperrt) {
    aendere(this, gesperrt_, gesperrt, &HUDModel::gesperrtGeaendert);
}

void HUDModel::setzeFehler(const std::optional<QString>& fehler) {
    aendere(this, fehler_, fehler, &HUDModel::fehlerGeaendert);
}

void HUDModel::setzeHinweis(const std::optional<QString>& hinweis) {
    aendere(this, hinweis_, hinweis, &HUDModel::hinweisGeaendert);
}

void HUDModel::ladeDarstellung(const Einstellungen& einstellungen) {
    const HUDStil stil = HUDStil::ausEinstellung(einstellungen.hudStil());
    const HUDPalette palette(farbeAusHex(einstellungen.hudFarbe()));
    const double groesse = einstellungen.hudGroesse();
    if (stil == stil_ && palette == palette_ && groesse == groesse_) {
        return;
    }
    stil_ = stil;
    palette_ = palette;
    groesse_ = groesse;
    emit darstellungGeaendert();
}

float HUDModel::schiebePegel(float pegel) {
    aktuellerPegel = glaetter.schiebe(pegel);
    return aktuellerPegel;
}

void HUDModel::setzeAnimationZurueck() {
    glaetter.reset();
    aktuellerPegel = 0.0f;
    morphVon = 0.0;
    morphZiel = 0.0;
    morphStart = ferneVergangenheit;
}

double HUDModel::morphWert(Zeitpunkt jetzt) const {
    // Compared before subtracting: the distance to the distant past does not fit.
    if (morphStart <= jetzt - morphDauer) {
        return morphZiel;
    }
    const std::chrono::duration<double> vergangen = jetzt - morphStart;
    const double p = std::clamp(vergangen / morphDauer, 0.0, 1.0);
    return morphVon + (morphZiel - morphVon) * p * p * (3.0 - 2.0 * p);
}

void HUDModel::starteMorph(double ziel, Zeitpunkt jetzt) {
    morphVon = morphWert(jetzt);
    morphZiel = ziel;
    morphStart = jetzt;
}

} // namespace parlix
