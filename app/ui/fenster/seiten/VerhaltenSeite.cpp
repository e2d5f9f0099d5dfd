#include "app/ui/fenster/seiten/VerhaltenSeite.hpp"

#include "app/platform/Klangspieler.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/fenster/FensterDienste.hpp"
#include "app/ui/fenster/bausteine/Bindung.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/Schalter.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using S = SettingsModel::Schluessel;

// A slider over a number setting in whole steps, with a label that describes its value.
QWidget* regler(SettingsModel& model, S schluessel, const QString& text, int bis, int schritt,
                std::function<QString(double)> beschreibe) {
    auto* regler = new QSlider(Qt::Horizontal);
    regler->setRange(0, bis);
    regler->setSingleStep(schritt);
    regler->setPageStep(schritt * 2);
    auto* wert = new QLabel;
    const auto zeige = [&model, schluessel, regler, wert, beschreibe] {
        const double zahl = model.zahl(schluessel);
        const QSignalBlocker still(regler);
        regler->setValue(static_cast<int>(zahl));
        wert->setText(beschreibe(zahl));
        regler->setAccessibleDescription(wert->text());
    };
    zeige();
    QObject::connect(&model, &SettingsModel::geladen, regler, zeige);
    QObject::connect(&model, &SettingsModel::geaendert, regler, [schluessel, zeige](S s) {
        if (s == schluessel) {
            zeige();
        }
    });
    QObject::connect(
        regler, &QSlider::valueChanged, regler, [&model, schluessel, regler, schritt](int roh) {
            // Dragging passes every value; only whole steps count.
            const int gerastert =
                static_cast<int>(std::lround(static_cast<double>(roh) / schritt)) * schritt;
            if (gerastert != roh) {
                regler->setValue(gerastert);
                return;
            }
            model.setze(schluessel, static_cast<double>(gerastert));
        });
    return FensterStil::stapel(text, regler, wert);
}

Karte* klaenge(SettingsModel& model, const Texte& texte, FensterDienste& dienste) {
    auto* karte = new Karte(texte.text(u"verhalten.sounds"_s));
    karte->fuegeHinzu(Bindung::schalter(model, S::soundAktiv, texte.text(u"verhalten.soundsAn"_s)));
    Bindung::Eintraege namen;
    for (const QString& name : dienste.klangNamen) {
        namen.append({name.left(1).toUpper() + name.mid(1), name});
    }
    QComboBox* menue = Bindung::auswahl(model, S::soundName, [namen] { return namen; });
    Klangspieler& spieler = dienste.klaenge;
    // Choosing a sound plays it, so the user hears what was chosen.
    QObject::connect(menue, &QComboBox::activated, menue, [menue, &spieler](int index) {
        spieler.spiele(menue->itemData(index).toString());
    });
    const auto aktiv = [&model, menue] { menue->setEnabled(model.flag(S::soundAktiv)); };
    aktiv();
    QObject::connect(&model, &SettingsModel::geaendert, menue, aktiv);
    QObject::connect(&model, &SettingsModel::geladen, menue, aktiv);
    karte->fuegeHinzu(FensterStil::zeile(texte.text(u"verhalten.sound"_s), menue));
    return karte;
}

Karte* aufnahme(SettingsModel& model, const Texte& texte) {
    auto* karte = new Karte;
    karte->fuegeHinzu(
        regler(model, S::aufnahmeLautstaerke, texte.text(u"verhalten.lautstaerke"_s), 100, 5,
               [texte](double wert) { return VerhaltenSeite::lautstaerkeLabel(wert, texte); }));
    karte->fuegeHinzu(
        Bindung::schalter(model, S::startVerzoegerungAktiv, texte.text(u"verhalten.verzoeg.an"_s)));
    const QString ms = texte.text(u"verhalten.verzoeg.ms"_s);
    QWidget* verzoegerung =
        regler(model, S::startVerzoegerungMs, texte.text(u"verhalten.verzoeg.dauer"_s), 1500, 100,
               [ms](double wert) { return ms.arg(static_cast<int>(wert)); });
    // Switched off, the delay keeps its milliseconds for the next time.
    const auto aktiv = [&model, verzoegerung] {
        verzoegerung->setEnabled(model.flag(S::startVerzoegerungAktiv));
    };
    aktiv();
    QObject::connect(&model, &SettingsModel::geaendert, verzoegerung, aktiv);
    QObject::connect(&model, &SettingsModel::geladen, verzoegerung, aktiv);
    karte->fuegeHinzu(verzoegerung);
    return karte;
}

Karte* allgemein(SettingsModel& model, const Texte& texte, FensterDienste& dienste) {
    auto* karte = new Karte;
    karte->fuegeHinzu(
        Bindung::schalter(model, S::zwischenablageModus, texte.text(u"verhalten.clip"_s)));
    karte->fuegeHinzu(Bindung::schalter(model, S::appTonAktiv, texte.text(u"verhalten.appton"_s)));
    karte->fuegeHinzu(Bindung::schalter(model, S::dsgvoModus, texte.text(u"verhalten.dsgvo"_s)));
    if (dienste.schalteAutostart) {
        auto* autostart = new Schalter(texte.text(u"verhalten.autostart"_s));
        const auto zeige = [&model, autostart] {
            const QSignalBlocker still(autostart);
            autostart->setChecked(model.autostart());
        };
        zeige();
        QObject::connect(&model, &SettingsModel::geladen, autostart, zeige);
        QObject::connect(&model, &SettingsModel::autostartGeaendert, autostart, zeige);
        QObject::connect(autostart, &QCheckBox::toggled, &model, &SettingsModel::setzeAutostart);
        karte->fuegeHinzu(autostart);
    }
    return karte;
}

Karte* updates(const Texte& texte, FensterDienste& dienste) {
    auto* karte = new Karte(texte.text(u"update.titel"_s), texte.text(u"update.fuss"_s));
    auto* knopf = new QPushButton(texte.text(u"update.suchen"_s));
    knopf->setEnabled(static_cast<bool>(dienste.pruefeUpdate));
    karte->fuegeHinzu(
        FensterStil::zeile(texte.text(u"update.version"_s).arg(dienste.version), knopf));
    auto* status = FensterStil::erklaerung({});
    status->setVisible(false);
    status->setAccessibleName(texte.text(u"update.titel"_s));
    karte->fuegeHinzu(status);
    QObject::connect(knopf, &QPushButton::clicked, knopf, [texte, &dienste, knopf, status] {
        knopf->setEnabled(false);
        status->setText(texte.text(u"update.suche"_s));
        status->setVisible(true);
        // The window may be gone when the check ends.
        dienste.pruefeUpdate([texte, knopf = QPointer<QPushButton>(knopf),
                              status = QPointer<QLabel>(status)](const QString& statusKey) {
            if (knopf && status) {
                status->setText(texte.text(statusKey));
                knopf->setEnabled(true);
            }
        });
    });
    return karte;
}

} // namespace

QString VerhaltenSeite::lautstaerkeLabel(double wert, const Texte& texte) {
    const int prozent = static_cast<int>(wert);
    if (prozent == 100) {
        return texte.text(u"verhalten.lautstaerke.unveraendert"_s);
    }
    if (prozent == 0) {
        return texte.text(u"verhalten.lautstaerke.stumm"_s);
    }
    return QString::number(prozent) + u" %"_s;
}

VerhaltenSeite::VerhaltenSeite(SettingsModel& model, const Texte& texte, FensterDienste& dienste,
                               QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);
    layout->addWidget(klaenge(model, texte, dienste));
    layout->addWidget(aufnahme(model, texte));
    layout->addWidget(allgemein(model, texte, dienste));
    layout->addWidget(updates(texte, dienste));
}

} // namespace parlix
