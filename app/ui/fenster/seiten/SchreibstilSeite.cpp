#include "app/ui/fenster/seiten/SchreibstilSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/Bindung.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "core/text/DiktatProfil.hpp"
#include "core/text/Schreibstil.hpp"

#include <QComboBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Title and raw value of every case of a vocabulary such as Schreibstil.
template <class Art> Bindung::Eintraege eintraege(const Texte& texte) {
    Bindung::Eintraege liste;
    for (const Art& fall : Art::alle()) {
        liste.append({texte.text(fall.titelKey.toString()), fall.rohwert.toString()});
    }
    return liste;
}

} // namespace

SchreibstilSeite::SchreibstilSeite(SettingsModel& model, const Texte& texte, QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);

    const Bindung::Eintraege stile = eintraege<Schreibstil>(texte);
    auto* stil = new Karte({}, texte.text(u"stil.fuss"_s));
    stil->fuegeHinzu(
        FensterStil::zeile(texte.text(u"stil.picker"_s),
                           Bindung::auswahl(model, SettingsModel::Schluessel::schreibstil,
                                            [stile] { return stile; })));
    layout->addWidget(stil);

    const Bindung::Eintraege profile = eintraege<DiktatProfil>(texte);
    auto* profil = new Karte({}, texte.text(u"profil.fuss"_s));
    profil->fuegeHinzu(
        FensterStil::zeile(texte.text(u"profil.titel"_s),
                           Bindung::auswahl(model, SettingsModel::Schluessel::diktatProfil,
                                            [profile] { return profile; })));
    layout->addWidget(profil);
}

} // namespace parlix
