#include "app/ui/fenster/bausteine/Bindung.hpp"

#include "app/ui/fenster/bausteine/Schalter.hpp"

#include <QComboBox>
#include <QSignalBlocker>

namespace parlix::Bindung {

namespace {

// Calls `zeige` now, after every change of the setting and after every load.
template <class Zeige>
void folge(SettingsModel& model, SettingsModel::Schluessel schluessel, QObject* kontext,
           Zeige zeige) {
    zeige();
    QObject::connect(&model, &SettingsModel::geaendert, kontext,
                     [schluessel, zeige](SettingsModel::Schluessel geaendert) {
                         if (geaendert == schluessel) {
                             zeige();
                         }
                     });
    QObject::connect(&model, &SettingsModel::geladen, kontext, zeige);
}

} // namespace

Schalter* schalter(SettingsModel& model, SettingsModel::Schluessel schluessel,
                   const QString& text) {
    auto* schalter = new Schalter(text);
    folge(model, schluessel, schalter, [&model, schluessel, schalter] {
        const QSignalBlocker still(schalter);
        schalter->setChecked(model.flag(schluessel));
    });
    QObject::connect(schalter, &QCheckBox::toggled, &model,
                     [&model, schluessel](bool an) { model.setze(schluessel, an); });
    return schalter;
}

QComboBox* auswahl(SettingsModel& model, SettingsModel::Schluessel schluessel,
                   std::function<Eintraege()> eintraege) {
    auto* menue = new QComboBox;
    folge(model, schluessel, menue, [&model, schluessel, menue, eintraege] {
        const QSignalBlocker still(menue);
        menue->clear();
        for (const auto& [anzeige, wert] : eintraege()) {
            menue->addItem(anzeige, wert);
        }
        const QString aktuell = model.text(schluessel);
        if (menue->findData(aktuell) < 0) {
            menue->addItem(aktuell, aktuell);
        }
        menue->setCurrentIndex(menue->findData(aktuell));
    });
    QObject::connect(menue, &QComboBox::activated, &model, [&model, schluessel, menue](int index) {
        model.setze(schluessel, menue->itemData(index).toString());
    });
    return menue;
}

} // namespace parlix::Bindung
