#include "app/ui/fenster/seiten/MikrofonSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/Bindung.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"

#include <QComboBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

MikrofonSeite::MikrofonSeite(SettingsModel& model, const Texte& texte, QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);
    const QString system = texte.text(u"mic.system"_s);
    const QString nichtVerbunden = texte.text(u"mic.nichtVerbunden"_s);
    auto* menue = Bindung::auswahl(
        model, SettingsModel::Schluessel::mikrofonUID, [&model, system, nichtVerbunden] {
            Bindung::Eintraege eintraege{{system, QString()}};
            bool gewaehltDa = false;
            const QString gewaehlt = model.text(SettingsModel::Schluessel::mikrofonUID);
            for (const Mikrofon& mikrofon : model.mikrofone()) {
                eintraege.append({mikrofon.name, mikrofon.uid});
                gewaehltDa = gewaehltDa || mikrofon.uid == gewaehlt;
            }
            // An input that is unplugged stays chosen.
            if (!gewaehlt.isEmpty() && !gewaehltDa) {
                eintraege.append({nichtVerbunden.arg(gewaehlt), gewaehlt});
            }
            return eintraege;
        });
    menue->setMinimumWidth(260);
    menue->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* karte = new Karte({}, texte.text(u"mic.fuss"_s));
    karte->fuegeHinzu(FensterStil::zeile(texte.text(u"mic.picker"_s), menue));
    layout->addWidget(karte);
}

} // namespace parlix
