#include "app/ui/tray/StatusPanel.hpp"

#include "app/platform/Arbeitsflaeche.hpp"
#include "app/ui/Gestaltung.hpp"
#include "app/ui/SymbolBild.hpp"
#include "app/ui/SymbolKnopf.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/hotkeys/Tastennamen.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/text/StatusPanelTexte.hpp"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int innen = 16;
constexpr qreal radius = 16.0;
// The width a recent result's text may take beside its copy button.
constexpr int zuletztBreite = StatusPanel::breite - 2 * (StatusPanel::schatten + innen) - 40;

QColor zustandFarbe(AppZustand zustand) {
    switch (zustand) {
    case AppZustand::idle:
        return QColor(0x4c, 0xd3, 0x8a);
    case AppZustand::aufnehmend:
        return Gestaltung::fehlerRot();
    case AppZustand::transkribierend:
        return QColor(0xff, 0xc1, 0x4d);
    case AppZustand::einfuegend:
        return Gestaltung::akzent();
    }
    return Gestaltung::akzent();
}

QLabel* abschnitt(const QString& titel) {
    auto* label = Gestaltung::beschriftung(titel.toUpper(), Gestaltung::schrift(10.5, QFont::Bold),
                                           Gestaltung::textBlass());
    label->setContentsMargins(2, 0, 0, 0);
    return label;
}

QWidget* trenner() {
    auto* linie = new QWidget;
    linie->setFixedHeight(1);
    linie->setAutoFillBackground(true);
    QPalette palette = linie->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 255, 0x14));
    linie->setPalette(palette);
    return linie;
}

// A key name on a small key cap.
QLabel* taste(const QString& name) {
    auto* label = Gestaltung::beschriftung(name, Gestaltung::schrift(12.0, QFont::Medium),
                                           Gestaltung::text());
    label->setStyleSheet(u"QLabel { background: rgba(255,255,255,0.08); border: 1px solid "
                         u"rgba(255,255,255,0.14); border-bottom-width: 2px; border-radius: 6px; "
                         u"padding: 2px 8px; }"_s);
    return label;
}

} // namespace

StatusPanel::StatusPanel(VerlaufStore& verlauf, const HUDModel& hud, DefaultsStore& speicher,
                         const Texte& texte, Arbeitsflaeche& arbeitsflaeche, PanelAktionen aktionen)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , verlauf_(verlauf)
    , hud_(hud)
    , speicher_(speicher)
    , texte_(texte)
    , arbeitsflaeche_(arbeitsflaeche)
    , aktionen_(std::move(aktionen))
    , zustand_(Gestaltung::beschriftung({}, Gestaltung::schrift(12.0, QFont::Medium),
                                        Gestaltung::textLeise()))
    , modi_(new QVBoxLayout)
    , zuletzt_(new QVBoxLayout) {
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(u"Parlix"_s);
    setFixedWidth(breite);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(schatten + innen, schatten + innen - 2, schatten + innen,
                               schatten + innen - 6);
    spalte->setSpacing(10);
    spalte->addWidget(baueKopf());
    spalte->addWidget(trenner());
    spalte->addWidget(abschnitt(texte_.text(u"panel.modi"_s)));
    spalte->addWidget(baueModi());
    spalte->addWidget(trenner());
    spalte->addWidget(abschnitt(texte_.text(u"panel.zuletzt"_s)));
    zuletzt_->setSpacing(2);
    spalte->addLayout(zuletzt_);
    spalte->addWidget(trenner());
    spalte->addWidget(baueFuss());

    connect(&verlauf_, &VerlaufStore::eintraegeGeaendert, this, &StatusPanel::fuelleZuletzt);
    connect(&hud_, &HUDModel::zustandGeaendert, this, &StatusPanel::aktualisiereZustand);
    aktualisiere();
}

QWidget* StatusPanel::baueKopf() {
    auto* kopf = new QWidget;
    auto* zeile = new QHBoxLayout(kopf);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(10);
    zeile->addWidget(new SymbolBild(u"logo"_s, 28));
    zeile->addWidget(Gestaltung::beschriftung(
        u"Parlix"_s, Gestaltung::schrift(16.0, QFont::DemiBold), Gestaltung::text()));
    zeile->addStretch();
    zustand_->setObjectName(u"zustand"_s);
    zeile->addWidget(zustand_);
    return kopf;
}

QWidget* StatusPanel::baueModi() {
    auto* modi = new QWidget;
    modi->setLayout(modi_);
    modi_->setContentsMargins(0, 0, 0, 0);
    modi_->setSpacing(6);
    return modi;
}

QWidget* StatusPanel::baueFuss() {
    auto* fuss = new QWidget;
    auto* zeile = new QHBoxLayout(fuss);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(4);
    for (const PanelAktionen::Befehl& befehl : PanelAktionen::befehle()) {
        auto* knopf = new SymbolKnopf(befehl.symbol, texte_.text(befehl.key), fuss, 34);
        knopf->setObjectName(befehl.symbol);
        connect(knopf, &QAbstractButton::clicked, this, [this, &befehl] {
            hide();
            aktionen_.fuehreAus(befehl);
        });
        zeile->addWidget(knopf);
    }
    zeile->addStretch();
    auto* beenden = new SymbolKnopf(u"beenden"_s, texte_.text(u"panel.beenden"_s), fuss, 34);
    beenden->setObjectName(u"beenden"_s);
    connect(beenden, &QAbstractButton::clicked, this, [this] {
        hide();
        if (aktionen_.aufBeenden) {
            aktionen_.aufBeenden();
        }
    });
    zeile->addWidget(beenden);
    return fuss;
}

void StatusPanel::aktualisiere() {
    while (QLayoutItem* alt = modi_->takeAt(0)) {
        delete alt->widget();
        delete alt;
    }
    const Einstellungen einstellungen(speicher_);
    const auto anzeige = [sprache = texte_.sprache()](const Hotkey& hotkey) {
        return Tastennamen::anzeige(hotkey, sprache);
    };
    const struct {
        QString symbol;
        QString key;
        QString taste;
    } modi[] = {
        {u"mikro"_s, u"tasten.diktat"_s, anzeige(einstellungen.diktatHotkey())},
        {u"aktion"_s, u"tasten.aktion"_s, anzeige(einstellungen.aktionHotkey())},
        {u"prompt"_s, u"tasten.prompt"_s, anzeige(einstellungen.promptHotkey())},
    };
    for (const auto& modus : modi) {
        auto* reihe = new QWidget;
        auto* zeile = new QHBoxLayout(reihe);
        zeile->setContentsMargins(2, 0, 0, 0);
        zeile->setSpacing(10);
        zeile->addWidget(new SymbolBild(modus.symbol, 18, Gestaltung::akzent()));
        zeile->addWidget(Gestaltung::beschriftung(texte_.text(modus.key), Gestaltung::schrift(13.5),
                                                  Gestaltung::text()));
        zeile->addStretch();
        zeile->addWidget(taste(modus.taste));
        modi_->addWidget(reihe);
    }
    fuelleZuletzt();
    aktualisiereZustand();
}

void StatusPanel::fuelleZuletzt() {
    while (QLayoutItem* alt = zuletzt_->takeAt(0)) {
        delete alt->widget();
        delete alt;
    }
    const QList<VerlaufEintrag>& eintraege = verlauf_.eintraege();
    if (eintraege.isEmpty()) {
        auto* leer = Gestaltung::beschriftung(texte_.text(u"verlauf.leer.titel"_s),
                                              Gestaltung::schrift(13.0), Gestaltung::textBlass());
        leer->setContentsMargins(2, 4, 0, 4);
        zuletzt_->addWidget(leer);
    }
    for (qsizetype i = 0; i < std::min<qsizetype>(zuletztAnzahl, eintraege.size()); ++i) {
        const QString text = eintraege[i].text;
        auto* reihe = new QWidget;
        auto* zeile = new QHBoxLayout(reihe);
        zeile->setContentsMargins(2, 0, 0, 0);
        // Thirty wide characters (Japanese, Chinese) can still be too wide for the row.
        const QFont schrift = Gestaltung::schrift(13.5);
        auto* label = Gestaltung::beschriftung(
            QFontMetrics(schrift).elidedText(StatusPanelTexte::kuerze(text, zuletztZeichen),
                                             Qt::ElideRight, zuletztBreite),
            schrift, Gestaltung::text());
        label->setObjectName(u"zuletzt"_s);
        label->setTextFormat(Qt::PlainText);
        zeile->addWidget(label, 1);
        auto* kopieren =
            new SymbolKnopf(u"kopieren"_s, texte_.text(u"verlauf.kopieren"_s), reihe, 28);
        connect(kopieren, &QAbstractButton::clicked, this, [this, text] {
            if (aktionen_.aufKopieren) {
                aktionen_.aufKopieren(text);
            }
        });
        zeile->addWidget(kopieren);
        zuletzt_->addWidget(reihe);
    }
    adjustSize();
}

void StatusPanel::aktualisiereZustand() {
    const AppZustand zustand = hud_.zustand();
    zustand_->setText(u"<span style=\"color:%1\">●</span>&nbsp; %2"_s.arg(
        zustandFarbe(zustand).name(),
        texte_.text(StatusPanelTexte::statusLabel(zustand)).toHtmlEscaped()));
}

QString StatusPanel::zustandText() const {
    return texte_.text(StatusPanelTexte::statusLabel(hud_.zustand()));
}

QStringList StatusPanel::zuletztTexte() const {
    QStringList texte;
    for (const QLabel* label : findChildren<QLabel*>(u"zuletzt"_s)) {
        texte.append(label->text());
    }
    return texte;
}

void StatusPanel::zeigeBei(const QRect& anker) {
    aktualisiere();
    adjustSize();
    const QScreen* bildschirm = QGuiApplication::screenAt(anker.center());
    if (bildschirm == nullptr) {
        bildschirm = QGuiApplication::primaryScreen();
    }
    const QRect frei = bildschirm ? bildschirm->availableGeometry() : QRect(QPoint(), size());
    // Below the icon for a panel at the top, above it for one at the bottom.
    const bool obenLeiste = anker.center().y() < frei.center().y();
    QPoint ort(anker.center().x() - width() / 2,
               obenLeiste ? anker.bottom() + 4 - schatten : anker.top() - height() - 4 + schatten);
    ort.setX(std::clamp(ort.x(), frei.left() - schatten, frei.right() + schatten - width()));
    ort.setY(std::clamp(ort.y(), frei.top() - schatten, frei.bottom() + schatten - height()));
    move(ort);
    show();
    raise();
    activateWindow();
}

bool StatusPanel::geradeGeschlossen() const {
    return geschlossen_.isValid() && geschlossen_.elapsed() < 300;
}

void StatusPanel::hideEvent(QHideEvent* ereignis) {
    geschlossen_.start();
    QWidget::hideEvent(ereignis);
}

QRectF StatusPanel::koerper() const {
    return QRectF(rect()).adjusted(schatten, schatten, -schatten, -schatten);
}

void StatusPanel::resizeEvent(QResizeEvent* ereignis) {
    // Without translucency the corners and the shadow would come out black.
    if (arbeitsflaeche_.durchscheinend()) {
        clearMask();
    } else {
        setMask(Gestaltung::rundeForm(koerper(), radius));
    }
    QWidget::resizeEvent(ereignis);
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    Gestaltung::zeichneGlas(maler, koerper(), radius);
}

} // namespace parlix
