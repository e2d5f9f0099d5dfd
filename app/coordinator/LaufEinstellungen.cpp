#include "app/coordinator/LaufEinstellungen.hpp"

#include "core/settings/Einstellungen.hpp"

namespace parlix {

LaufEinstellungen LaufEinstellungen::lies(DefaultsStore& speicher) {
    const Einstellungen einstellungen(speicher);
    LaufEinstellungen stand;
    stand.proxyURL = einstellungen.proxyURL();
    stand.diktatSprache = einstellungen.diktatSprache();
    stand.vokabular = einstellungen.effektivesVokabular();
    stand.cleanup = einstellungen.cleanupZutaten();
    stand.befehle = einstellungen.befehle();
    stand.dsgvoModus = einstellungen.dsgvoModus();
    stand.audioDebugSpeichern = einstellungen.audioDebugSpeichern();
    stand.soundAktiv = einstellungen.soundAktiv();
    stand.soundName = einstellungen.soundName();
    return stand;
}

} // namespace parlix
