#include "app/ui/fenster/SettingsFenster.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/FensterDienste.hpp"
#include "app/ui/fenster/bausteine/BackendKarte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Seitenleiste.hpp"
#include "app/ui/fenster/seiten/AnbieterSeite.hpp"
#include "app/ui/fenster/seiten/HUDSeite.hpp"
#include "app/ui/fenster/seiten/KontoSeite.hpp"
#include "app/ui/fenster/seiten/Listenseiten.hpp"
#include "app/ui/fenster/seiten/MikrofonSeite.hpp"
#include "app/ui/fenster/seiten/SchreibstilSeite.hpp"
#include "app/ui/fenster/seiten/SpracheSeite.hpp"
#include "app/ui/fenster/seiten/TastenSeite.hpp"
#include "app/ui/fenster/seiten/VerhaltenSeite.hpp"
#include "app/ui/fenster/seiten/VokabularSeite.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QStackedWidget>

using namespace Qt::StringLiterals;

namespace parlix {

SettingsFenster::SettingsFenster(SettingsModel& model, FensterDienste& dienste,
                                 std::function<void()> onLogin, QWidget* eltern)
    : QWidget(eltern, Qt::Window)
    , leiste_(new QListWidget)
    , seiten_(new QStackedWidget) {
    const Texte texte(dienste.speicher);
    setWindowTitle(texte.text(u"fenster.einstellungen"_s));
    FensterStil::richteFensterEin(this);
    resize(900, 640);

    auto* seitenleiste = new Seitenleiste(
        u"Parlix"_s, FensterStil::kartenTitelSchrift(FensterStil::titelSchrift(font())), 216);
    QHBoxLayout* layout = seitenleiste->teileFenster(this);
    leiste_->setObjectName(u"seitenleiste"_s);
    leiste_->setAccessibleName(texte.text(u"fenster.einstellungen"_s));
    leiste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    seitenleiste->inhalt()->addWidget(leiste_, 1);
    layout->addWidget(seiten_, 1);

    fuegeSeiteHinzu(texte.text(u"nav.tasten"_s), new TastenSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.mikrofon"_s), new MikrofonSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.sprache"_s),
                    new SpracheSeite(model, texte, dienste.frageNeustart));
    fuegeSeiteHinzu(texte.text(u"nav.schreibstil"_s), new SchreibstilSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.hud"_s), new HUDSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.verhalten"_s), new VerhaltenSeite(model, texte, dienste));
    fuegeSeiteHinzu(
        texte.text(u"nav.konto"_s),
        new KontoSeite(dienste.konto, texte, std::move(onLogin),
                       new BackendKarte(dienste.speicher, texte, dienste.frageNeustart)));
    fuegeSeiteHinzu(texte.text(u"nav.anbieter"_s),
                    new AnbieterSeite(dienste.anbieter, dienste.speicher, texte));
    fuegeSeiteHinzu(texte.text(u"nav.vokabular"_s), new VokabularSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.befehl"_s), befehleSeite(model, texte));
    fuegeSeiteHinzu(texte.text(u"nav.bausteine"_s), bausteineSeite(model, texte));

    connect(leiste_, &QListWidget::currentRowChanged, seiten_, &QStackedWidget::setCurrentIndex);
    leiste_->setCurrentRow(0);
}

void SettingsFenster::fuegeSeiteHinzu(const QString& titel, QWidget* seite) {
    leiste_->addItem(titel);
    inhalte_.append(seite);

    auto* spalte = new QWidget;
    spalte->setObjectName(u"spalte"_s);
    spalte->setMaximumWidth(FensterStil::spaltenBreite + 2 * 32);
    auto* spaltenLayout = new QVBoxLayout(spalte);
    spaltenLayout->setContentsMargins(32, 28, 32, 32);
    spaltenLayout->setSpacing(20);
    spaltenLayout->addWidget(FensterStil::titel(titel));
    spaltenLayout->addWidget(seite);
    spaltenLayout->addStretch(1);

    auto* mitte = new QWidget;
    mitte->setObjectName(u"spalte"_s);
    auto* mitteLayout = new QHBoxLayout(mitte);
    mitteLayout->setContentsMargins(0, 0, 0, 0);
    mitteLayout->addWidget(spalte);

    auto* rolle = new QScrollArea;
    rolle->setObjectName(u"inhalt"_s);
    rolle->setFrameShape(QFrame::NoFrame);
    rolle->setWidgetResizable(true);
    rolle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rolle->setWidget(mitte);
    seiten_->addWidget(rolle);
}

SettingsFenster::Kategorie SettingsFenster::auswahl() const {
    return static_cast<Kategorie>(leiste_->currentRow());
}

void SettingsFenster::waehle(Kategorie kategorie) {
    leiste_->setCurrentRow(static_cast<int>(kategorie));
}

QWidget* SettingsFenster::seite(Kategorie kategorie) const {
    return inhalte_.value(static_cast<int>(kategorie));
}

} // namespace parlix
