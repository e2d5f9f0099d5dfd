#include "app/ui/fenster/seiten/HUDSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/Bindung.hpp"
#include "app/ui/fenster/bausteine/FarbKnopf.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/HUDVorschau.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "core/text/HUDStil.hpp"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using S = SettingsModel::Schluessel;

// The slider counts steps of 0.05 from 0.6 to 1.6.
constexpr double groessenSchritt = 0.05;

QWidget* groesse(SettingsModel& model, const Texte& texte) {
    auto* regler = new QSlider(Qt::Horizontal);
    regler->setRange(12, 32);
    regler->setPageStep(2);
    auto* wert = new QLabel;
    const auto zeige = [&model, regler, wert] {
        const double faktor = model.zahl(S::hudGroesse);
        const QSignalBlocker still(regler);
        regler->setValue(static_cast<int>(std::lround(faktor / groessenSchritt)));
        wert->setText(QString::number(faktor, 'f', 2) + u" ×"_s);
    };
    zeige();
    QObject::connect(&model, &SettingsModel::geladen, regler, zeige);
    QObject::connect(&model, &SettingsModel::geaendert, regler, [zeige](S s) {
        if (s == S::hudGroesse) {
            zeige();
        }
    });
    QObject::connect(regler, &QSlider::valueChanged, regler, [&model](int schritte) {
        model.setze(S::hudGroesse, schritte * groessenSchritt);
    });
    return FensterStil::stapel(texte.text(u"hud.groesse"_s), regler, wert);
}

QWidget* farbe(SettingsModel& model, const Texte& texte) {
    auto* knopf = new FarbKnopf(texte.text(u"hud.farbe"_s));
    const auto zeige = [&model, knopf] { knopf->setzeFarbe(model.hudFarbe()); };
    zeige();
    QObject::connect(&model, &SettingsModel::geladen, knopf, zeige);
    QObject::connect(knopf, &FarbKnopf::farbeGewaehlt, knopf,
                     [&model](const QColor& gewaehlt) { model.setzeHudFarbe(gewaehlt); });
    return FensterStil::zeile(texte.text(u"hud.farbe"_s), knopf);
}

} // namespace

HUDSeite::HUDSeite(SettingsModel& model, const Texte& texte, QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);

    auto* vorschau = new Karte(texte.text(u"hud.animation"_s), texte.text(u"hud.animation.fuss"_s));
    vorschau->fuegeHinzu(new HUDVorschau(model, texte.text(u"status.hoere"_s)));
    layout->addWidget(vorschau);

    Bindung::Eintraege stile;
    for (const HUDStil& stil : HUDStil::alle()) {
        stile.append({texte.text(stil.titelKey.toString()), stil.rohwert.toString()});
    }
    auto* stilKarte = new Karte({}, texte.text(u"hud.farbe.fuss"_s));
    stilKarte->fuegeHinzu(FensterStil::zeile(
        texte.text(u"hud.stil"_s), Bindung::auswahl(model, S::hudStil, [stile] { return stile; })));
    stilKarte->fuegeHinzu(farbe(model, texte));
    layout->addWidget(stilKarte);

    auto* groessenKarte = new Karte({}, texte.text(u"hud.groesse.fuss"_s));
    groessenKarte->fuegeHinzu(groesse(model, texte));
    layout->addWidget(groessenKarte);
}

} // namespace parlix
