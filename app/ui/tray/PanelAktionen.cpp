#include "app/ui/tray/PanelAktionen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

std::span<const PanelAktionen::Befehl> PanelAktionen::befehle() {
    static const Befehl liste[] = {
        {u"verlauf"_s, u"panel.verlauf"_s, &PanelAktionen::aufVerlauf},
        {u"einstellungen"_s, u"panel.einstellungen"_s, &PanelAktionen::aufEinstellungen},
        {u"einrichtung"_s, u"panel.einrichtung"_s, &PanelAktionen::aufEinrichtung},
        {u"handbuch"_s, u"panel.handbuch"_s, &PanelAktionen::aufHandbuch},
    };
    return liste;
}

void PanelAktionen::fuehreAus(const Befehl& befehl) const {
    if (this->*befehl.aktion) {
        (this->*befehl.aktion)();
    }
}

} // namespace parlix
