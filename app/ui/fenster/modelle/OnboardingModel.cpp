#include "app/ui/fenster/modelle/OnboardingModel.hpp"

#include "app/platform/Barrierefreiheit.hpp"
#include "app/platform/DesktopZugang.hpp"
#include "app/platform/MikrofonDienst.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

OnboardingModel::OnboardingModel(MikrofonDienst& mikrofon, DesktopZugang& desktop,
                                 Barrierefreiheit& barrierefreiheit)
    : mikrofon_(mikrofon)
    , desktop_(desktop)
    , barrierefreiheit_(barrierefreiheit) {}

void OnboardingModel::aktualisiere() {
    mikro_ = mikrofon_.kannAufnehmen();
    wayland_ = desktop_.istWayland();
    eingabe_ = !wayland_ && desktop_.tastenUndEingabe();
    bus_ = barrierefreiheit_.aktiv();
    bedienung_ = eingabe_ && bus_;
    bildschirm_ = !wayland_ && desktop_.fensterAufnahme();
    aufnahmeHinweis_ = desktop_.aufnahmeHinweis();
    emit geaendert();
}

OnboardingModel::Zeile OnboardingModel::zeile(Recht recht) const {
    switch (recht) {
    case Recht::mikro:
        if (mikro_) {
            return {true, {}, {}};
        }
        return {false, u"onb.tonEinstellungen"_s,
                keineToneinstellungen_ ? u"onb.mikro.keinProgramm"_s : u"onb.mikro.fehlt"_s};
    case Recht::bedienung:
        if (bedienung_) {
            // Applications started before the bus was switched on cannot be read yet.
            return {true, {}, busEingeschaltet_ ? u"onb.bedienung.neustart"_s : QString()};
        }
        if (wayland_) {
            return {false, {}, u"onb.wayland"_s};
        }
        if (!eingabe_) {
            const QString hinweis = desktop_.tastenHinweis();
            return {false, {}, hinweis.isEmpty() ? u"onb.bedienung.keinX"_s : hinweis};
        }
        return {false, u"onb.busEinschalten"_s,
                busEingeschaltet_ ? u"onb.bedienung.keinBus"_s : u"onb.bedienung.busAus"_s};
    case Recht::bildschirm:
        if (bildschirm_) {
            return {true, {}, {}};
        }
        if (wayland_) {
            return {false, {}, u"onb.wayland"_s};
        }
        return {
            false, {}, aufnahmeHinweis_.isEmpty() ? u"onb.bildschirm.fehlt"_s : aufnahmeHinweis_};
    }
    return {};
}

void OnboardingModel::fuehreAus(Recht recht) {
    if (recht == Recht::mikro) {
        keineToneinstellungen_ = !mikrofon_.oeffneToneinstellungen();
    } else if (recht == Recht::bedienung && eingabe_ && !bus_) {
        barrierefreiheit_.schalteEin();
        busEingeschaltet_ = true;
    }
    aktualisiere();
}

} // namespace parlix
