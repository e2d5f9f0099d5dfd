#include "app/ui/fenster/SetupFenster.hpp"

#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/backend/BackendWahl.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/AnmeldeFormular.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/RechteZeile.hpp"
#include "app/ui/fenster/modelle/OnboardingModel.hpp"
#include "app/ui/fenster/modelle/SetupModel.hpp"
#include "app/ui/fenster/seiten/AnbieterSeite.hpp"
#include "core/text/Sprache.hpp"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

// Three dots, the current step's one long and in the accent colour.
class SetupFenster::Schritte final : public QWidget {
public:
    explicit Schritte(const SetupModel& model)
        : model_(model) {
        // The current step's long dot and the others, 6 apart.
        setFixedSize(24 + SetupModel::letzterSchritt * (8 + 6), 10);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter maler(this);
        maler.setRenderHint(QPainter::Antialiasing);
        maler.setPen(Qt::NoPen);
        double x = 0;
        for (int schritt = 0; schritt <= SetupModel::letzterSchritt; ++schritt) {
            const bool aktuell = schritt == model_.schritt();
            const double breite = aktuell ? 24 : 8;
            QColor punkt = aktuell ? palette().color(QPalette::Highlight)
                                   : palette().color(QPalette::WindowText);
            if (!aktuell) {
                punkt.setAlphaF(0.25f);
            }
            maler.setBrush(punkt);
            maler.drawRoundedRect(QRectF(x, 1, breite, 8), 4, 4);
            x += breite + 6;
        }
    }

private:
    const SetupModel& model_;
};

SetupFenster::SetupFenster(SetupModel& model, LoginModel& login, Konto& konto,
                           AnbieterEinstellungen& anbieter, DefaultsStore& speicher,
                           BackendKarte::FrageNeustart frageNeustart, QWidget* eltern)
    : QWidget(eltern, Qt::Window)
    , model_(model)
    , login_(login)
    , konto_(konto)
    , anbieter_(anbieter)
    , speicher_(speicher)
    , frageNeustart_(std::move(frageNeustart))
    , schritte_(new Schritte(model))
    , seiten_(new QStackedWidget)
    , zurueck_(new QPushButton)
    , weiter_(new QPushButton) {
    setWindowTitle(u"Parlix"_s);
    FensterStil::richteFensterEin(this);
    resize(620, 580);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 28);
    layout->setSpacing(20);
    layout->addWidget(schritte_);
    layout->addWidget(seiten_, 1);
    auto* navigation = new QHBoxLayout;
    navigation->addWidget(zurueck_);
    navigation->addStretch();
    weiter_->setProperty("rolle", u"primaer"_s);
    weiter_->setMinimumWidth(140);
    navigation->addWidget(weiter_);
    layout->addLayout(navigation);

    connect(zurueck_, &QPushButton::clicked, &model_, &SetupModel::zurueck);
    connect(weiter_, &QPushButton::clicked, &model_, &SetupModel::weiter);
    connect(&model_, &SetupModel::schrittGeaendert, this, [this] {
        zeigeSchritt();
        // The keyboard starts on the provider choice, not on the button that led here.
        if (model_.schritt() == SetupModel::anbieterSchritt) {
            anbieterSeite_->vorlage(AnbieterEinstellungen::Rolle::transkription)->setFocus();
        }
    });
    connect(&model_, &SetupModel::spracheGeaendert, this, [this] {
        baue();
        // The chosen language keeps the keyboard focus across the rebuild.
        for (QPushButton* knopf : sprachKnoepfe_) {
            if (knopf->isChecked()) {
                knopf->setFocus();
            }
        }
    });
    connect(&model_, &SetupModel::fertig, this, &QWidget::close);
    connect(&anbieter_, &AnbieterEinstellungen::geaendert, this, &SetupFenster::zeigeSchritt);
    baue();
}

void SetupFenster::baue() {
    while (QWidget* alt = seiten_->widget(0)) {
        seiten_->removeWidget(alt);
        alt->deleteLater();
    }
    sprachKnoepfe_.clear();
    const Texte texte(speicher_);
    seiten_->addWidget(
        seite(u"setup.sprache.titel"_s, u"setup.sprache.text"_s, sprachwahl(texte.sprache())));
    seiten_->addWidget(
        seite(u"setup.rechte.titel"_s, u"onb.unter"_s, RechteZeile::alle(model_.rechte(), texte)));
    anbieterSeite_ = new AnbieterSeite(anbieter_, speicher_, texte);
    // The two provider cards and the test are taller than the window's other steps.
    auto* rolle = new QScrollArea;
    rolle->setFrameShape(QFrame::NoFrame);
    rolle->setWidgetResizable(true);
    rolle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rolle->setWidget(anbieterSeite_);
    seiten_->addWidget(seite(u"setup.anbieter.titel"_s, u"setup.anbieter.text"_s, rolle));
    formular_ = new AnmeldeFormular(login_, konto_, texte, false);
    dienst_ = new BackendKarte(speicher_, texte, frageNeustart_);
    auto* kontoUndDienst = new QWidget;
    auto* kontoLayout = new QVBoxLayout(kontoUndDienst);
    kontoLayout->setContentsMargins(0, 0, 0, 0);
    kontoLayout->setSpacing(20);
    kontoLayout->addWidget(dienst_);
    kontoLayout->addWidget(formular_);
    QWidget* konto = seite(u"setup.konto.titel"_s, kontoTextKey(), kontoUndDienst);
    // The explanation below the heading follows the service the user applies in the card.
    kontoText_ = qobject_cast<QLabel*>(konto->layout()->itemAt(1)->widget());
    connect(dienst_, &BackendKarte::gewechselt, this,
            [this] { kontoText_->setText(Texte(speicher_).text(kontoTextKey())); });
    seiten_->addWidget(konto);
    zeigeSchritt();
}

QString SetupFenster::kontoTextKey() const {
    // With its own service Parlix works without an account: signing in is for a hosted one.
    return BackendWahl::lies(speicher_).art == BackendWahl::Art::lokal ? u"setup.konto.lokal"_s
                                                                       : u"login.unter"_s;
}

QWidget* SetupFenster::seite(const QString& titelKey, const QString& textKey, QWidget* inhalt) {
    const Texte texte(speicher_);
    auto* seite = new QWidget;
    QVBoxLayout* layout = FensterStil::kopf(seite, texte.text(titelKey), texte.text(textKey));
    layout->addWidget(inhalt);
    layout->addStretch(1);
    return seite;
}

QWidget* SetupFenster::sprachwahl(const QString& aktuell) {
    auto* karte = new Karte;
    for (const Sprache& sprache : Sprache::alle()) {
        auto* knopf = new QPushButton(sprache.anzeige.toString());
        knopf->setCheckable(true);
        knopf->setChecked(sprache.code == aktuell);
        knopf->setObjectName(u"sprachwahl"_s);
        const QString code = sprache.code.toString();
        connect(knopf, &QPushButton::clicked, this, [this, code] { model_.waehleSprache(code); });
        karte->fuegeHinzu(knopf);
        sprachKnoepfe_.append(knopf);
    }
    return karte;
}

void SetupFenster::zeigeSchritt() {
    const Texte texte(speicher_);
    const int schritt = model_.schritt();
    seiten_->setCurrentIndex(schritt);
    zurueck_->setText(texte.text(u"setup.zurueck"_s));
    zurueck_->setVisible(schritt >= 1);
    const bool ohneAnbieter =
        !anbieter_.eingerichtet(AnbieterEinstellungen::Rolle::transkription) &&
        !anbieter_.eingerichtet(AnbieterEinstellungen::Rolle::sprache);
    weiter_->setText(texte.text(schritt == SetupModel::letzterSchritt ? u"login.loslegen"_s
                                : schritt == SetupModel::anbieterSchritt && ohneAnbieter
                                    ? u"setup.ueberspringen"_s
                                    : u"setup.weiter"_s));
    if (schritt == 1) {
        model_.rechte().aktualisiere();
    }
    schritte_->update();
}

} // namespace parlix
