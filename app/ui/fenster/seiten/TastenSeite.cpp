#include "app/ui/fenster/seiten/TastenSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/HotkeyZeile.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/Segmente.hpp"
#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

TastenSeite::TastenSeite(SettingsModel& model, const Texte& texte, QWidget* eltern)
    : QWidget(eltern) {
    using Art = SettingsModel::Hotkeyart;
    QVBoxLayout* layout = FensterStil::karten(this);

    auto* modi = new Karte({}, texte.text(u"tasten.fuss"_s));
    modi->fuegeHinzu(new HotkeyZeile(model, Art::diktat, texte.text(u"tasten.diktat"_s), texte));
    modi->fuegeHinzu(new HotkeyZeile(model, Art::aktion, texte.text(u"tasten.aktion"_s), texte));
    modi->fuegeHinzu(new HotkeyZeile(model, Art::prompt, texte.text(u"tasten.prompt"_s), texte));
    layout->addWidget(modi);

    auto* sperre = new Karte(texte.text(u"lock.titel"_s), texte.text(u"lock.fuss"_s));
    auto* wahl =
        new Segmente({texte.text(u"lock.doppeltipp"_s), texte.text(u"lock.eigeneTaste"_s)});
    sperre->fuegeHinzu(FensterStil::zeile(texte.text(u"lock.taste"_s), wahl));
    auto* lockZeile = new HotkeyZeile(model, Art::lock, texte.text(u"lock.eigeneTaste"_s), texte);
    sperre->fuegeHinzu(lockZeile);
    layout->addWidget(sperre);

    const auto zeige = [&model, wahl, lockZeile] {
        const bool eigeneTaste = model.flag(SettingsModel::Schluessel::lockPerTaste);
        wahl->waehle(eigeneTaste ? 1 : 0);
        lockZeile->setVisible(eigeneTaste);
    };
    zeige();
    connect(&model, &SettingsModel::geladen, this, zeige);
    connect(&model, &SettingsModel::geaendert, this, [zeige](SettingsModel::Schluessel s) {
        if (s == SettingsModel::Schluessel::lockPerTaste) {
            zeige();
        }
    });
    connect(wahl, &Segmente::gewaehltGeaendert, this, [&model](int index) {
        model.setze(SettingsModel::Schluessel::lockPerTaste, index == 1);
    });
}

} // namespace parlix
