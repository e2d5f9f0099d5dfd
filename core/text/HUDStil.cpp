#include "core/text/HUDStil.hpp"

#include "core/util/Finde.hpp"

#include <array>

namespace parlix {

namespace {

using F = HUDStil::Fall;

// The keys are written out so that the check of the text tables sees them.
constexpr std::array<HUDStil, 10> stile{{
    {F::energie, u"energie", u"hud.stil.energie"},
    {F::wellen, u"wellen", u"hud.stil.wellen"},
    {F::puls, u"puls", u"hud.stil.puls"},
    {F::equalizer, u"equalizer", u"hud.stil.equalizer"},
    {F::sonar, u"sonar", u"hud.stil.sonar"},
    {F::orbit, u"orbit", u"hud.stil.orbit"},
    {F::waveform, u"waveform", u"hud.stil.waveform"},
    {F::arcs, u"arcs", u"hud.stil.arcs"},
    {F::blob, u"blob", u"hud.stil.blob"},
    {F::komet, u"komet", u"hud.stil.komet"},
}};

} // namespace

std::span<const HUDStil> HUDStil::alle() {
    return stile;
}

std::optional<HUDStil> HUDStil::aus(QStringView rohwert) {
    return findeErstes(stile, [rohwert](const HUDStil& s) { return s.rohwert == rohwert; });
}

HUDStil HUDStil::ausEinstellung(QStringView rohwert) {
    return aus(rohwert).value_or(stile[0]);
}

} // namespace parlix
