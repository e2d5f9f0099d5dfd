#include "app/ui/fenster/seiten/SpracheSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/Bindung.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "core/text/Sprache.hpp"

#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

Bindung::Eintraege sprachen() {
    Bindung::Eintraege eintraege;
    for (const Sprache& sprache : Sprache::alle()) {
        eintraege.append({sprache.anzeige.toString(), sprache.code.toString()});
    }
    return eintraege;
}

QComboBox* oberflaechenSprache(SettingsModel& model,
                               std::function<void(QWidget*, const QString&)> frageNeustart) {
    auto* menue = new QComboBox;
    for (const auto& [anzeige, code] : sprachen()) {
        menue->addItem(anzeige, code);
    }
    const auto zeige = [&model, menue] {
        const QSignalBlocker still(menue);
        menue->setCurrentIndex(menue->findData(model.text(SettingsModel::Schluessel::uiSprache)));
    };
    zeige();
    QObject::connect(&model, &SettingsModel::geladen, menue, zeige);
    QObject::connect(menue, &QComboBox::activated, menue,
                     [&model, menue, frageNeustart = std::move(frageNeustart)](int index) {
                         const QString code = menue->itemData(index).toString();
                         if (code == model.text(SettingsModel::Schluessel::uiSprache)) {
                             return;
                         }
                         model.setze(SettingsModel::Schluessel::uiSprache, code);
                         if (frageNeustart) {
                             frageNeustart(menue->window(), u"neustart.text"_s);
                         }
                     });
    return menue;
}

} // namespace

SpracheSeite::SpracheSeite(SettingsModel& model, const Texte& texte,
                           std::function<void(QWidget*, const QString&)> frageNeustart,
                           QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);

    auto* app = new Karte({}, texte.text(u"lang.app.fuss"_s));
    app->fuegeHinzu(FensterStil::zeile(texte.text(u"lang.app"_s),
                                       oberflaechenSprache(model, std::move(frageNeustart))));
    layout->addWidget(app);

    const QString automatisch = texte.text(u"lang.auto"_s);
    auto* diktat = new Karte({}, texte.text(u"lang.diktat.fuss"_s));
    diktat->fuegeHinzu(FensterStil::zeile(
        texte.text(u"lang.diktat"_s),
        Bindung::auswahl(model, SettingsModel::Schluessel::diktatSprache, [automatisch] {
            return Bindung::Eintraege{{automatisch, QString()}} + sprachen();
        })));
    layout->addWidget(diktat);
}

} // namespace parlix
