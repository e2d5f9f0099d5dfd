#include "app/ui/fenster/OnboardingFenster.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/RechteZeile.hpp"
#include "app/ui/fenster/modelle/OnboardingModel.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

OnboardingFenster::OnboardingFenster(OnboardingModel& model, DefaultsStore& speicher,
                                     QWidget* eltern)
    : QWidget(eltern, Qt::Window)
    , model_(model)
    , speicher_(speicher)
    , schliessen_(new QPushButton) {
    const Texte texte(speicher);
    setWindowTitle(texte.text(u"fenster.einrichtung"_s));
    FensterStil::richteFensterEin(this);
    setMinimumWidth(560);

    QVBoxLayout* layout =
        FensterStil::kopf(this, texte.text(u"onb.willkommen"_s), texte.text(u"onb.unter"_s));
    layout->setContentsMargins(32, 28, 32, 24);
    layout->addWidget(RechteZeile::alle(model, texte));
    layout->addSpacing(16);
    layout->addStretch(1);
    auto* fuss = new QHBoxLayout;
    fuss->addStretch();
    schliessen_->setProperty("rolle", u"primaer"_s);
    schliessen_->setDefault(true);
    fuss->addWidget(schliessen_);
    layout->addLayout(fuss);

    connect(schliessen_, &QPushButton::clicked, this, [this] {
        Einstellungen(speicher_).setzeOnboardingErledigt(true);
        close();
    });
    connect(&model_, &OnboardingModel::geaendert, this, &OnboardingFenster::zeigeKnopf);
    zeigeKnopf();
}

void OnboardingFenster::zeigeKnopf() {
    const Texte texte(speicher_);
    const bool alles = model_.allesOK();
    schliessen_->setText(texte.text(alles ? u"onb.fertig"_s : u"onb.spaeter"_s));
    schliessen_->setIcon(
        alles ? FensterStil::symbolIcon(u"haken"_s, palette().color(QPalette::HighlightedText))
              : QIcon());
}

void OnboardingFenster::changeEvent(QEvent* ereignis) {
    QWidget::changeEvent(ereignis);
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow()) {
        model_.aktualisiere();
    }
}

} // namespace parlix
