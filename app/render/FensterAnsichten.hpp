#pragma once

namespace parlix {

class AnsichtenRegister;

// The views of the secondary windows, each also with ".dunkel" in a dark palette:
//   einstellungen.<category> for the ten panes, einstellungen.tasten.aufnahme while a
//   hotkey is recorded
//   einrichtung.sprache, einrichtung.rechte, einrichtung.konto (the first-run setup)
//   onboarding (a grant missing), onboarding.fertig, onboarding.wayland
//   anmelden, anmelden.registrieren, anmelden.zuruecksetzen (code sent), anmelden.fehler
//   handbuchfenster, handbuchfenster.suche
// The names stay clear of the text keys, which a test finds by their form.
namespace FensterAnsichten {

void registriere(AnsichtenRegister& ansichten);

} // namespace FensterAnsichten

} // namespace parlix
