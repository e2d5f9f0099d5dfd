#pragma once

namespace parlix {

class AnsichtenRegister;

// The views of the secondary windows, each also with ".dunkel" in a dark palette:
//   einstellungen.<category> for the ten panes, einstellungen.tasten.aufnahme while a
//   hotkey is recorded
//   setup.sprache, setup.rechte, setup.konto
//   onboarding (a grant missing), onboarding.fertig, onboarding.wayland
//   login, login.registrieren, login.zuruecksetzen (code sent), login.fehler
//   handbuch, handbuch.suche
namespace FensterAnsichten {

void registriere(AnsichtenRegister& ansichten);

} // namespace FensterAnsichten

} // namespace parlix
