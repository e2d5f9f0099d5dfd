#pragma once

namespace parlix {

class AnsichtenRegister;

// The views of the tray, the HUD, the live word box and the history panel:
//   statusPanel, tray
//   hud.<style>.<state> for every style and the states aufnehmend, gesperrt, wandel
//   (half way into processing), transkribierend, einfuegend and fehler
//   liveBox, verlauf, verlaufLeer
namespace StandardAnsichten {

void registriere(AnsichtenRegister& ansichten);

} // namespace StandardAnsichten

} // namespace parlix
