#include "app/ui/tray/Tray.hpp"

#include "app/ui/Symbol.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/log/DateiLog.hpp"
#include "core/text/StatusPanelTexte.hpp"

#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int wartenMs = 3000;
constexpr int menueZeichen = 30;

} // namespace

Tray::Tray(VerlaufStore& verlauf, const HUDModel& hud, const Texte& texte, PanelAktionen aktionen)
    : verlauf_(verlauf)
    , hud_(hud)
    , texte_(texte)
    , aktionen_(std::move(aktionen)) {
    warten_.setInterval(wartenMs);
    connect(&warten_, &QTimer::timeout, this, &Tray::pruefeTray);
    connect(&verlauf_, &VerlaufStore::eintraegeGeaendert, this, &Tray::baueMenue);
    connect(&hud_, &HUDModel::zustandGeaendert, this, &Tray::aktualisiereIcon);
    baueMenue();
}

Tray::~Tray() = default;

void Tray::zeige() {
    baueIcon();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        log().schreibe(u"Tray-Symbol gezeigt"_s);
    } else {
        log().schreibe(u"Kein Tray verfügbar, Parlix läuft weiter und wartet darauf"_s);
        warten_.start();
    }
}

bool Tray::gezeigt() const {
    return icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

QRect Tray::ort() const {
    return icon_ ? icon_->geometry() : QRect();
}

void Tray::baueIcon() {
    // A fresh icon makes Qt look again for the best tray protocol the desktop offers.
    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setContextMenu(&menue_);
    aktualisiereIcon();
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason grund) {
                if (grund == QSystemTrayIcon::Trigger) {
                    emit panelUmschalten();
                }
            });
    icon_->show();
}

void Tray::pruefeTray() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        warten_.stop();
        baueIcon();
        log().schreibe(u"Tray-Symbol gezeigt"_s);
    }
}

void Tray::aktualisiereIcon() {
    if (!icon_) {
        return;
    }
    const AppZustand zustand = hud_.zustand();
    icon_->setIcon(Symbol::trayIcon(zustand == AppZustand::aufnehmend));
    icon_->setToolTip(u"Parlix – "_s + texte_.text(StatusPanelTexte::statusLabel(zustand)));
}

void Tray::baueMenue() {
    menue_.clear();
    connect(menue_.addAction(Symbol::appIcon(), texte_.text(u"panel.oeffnen"_s)),
            &QAction::triggered, this, &Tray::panelUmschalten);
    menue_.addSeparator();
    const QList<VerlaufEintrag>& eintraege = verlauf_.eintraege();
    for (qsizetype i = 0; i < std::min<qsizetype>(2, eintraege.size()); ++i) {
        const QString text = eintraege[i].text;
        QAction* kopieren = menue_.addAction(
            texte_.text(u"panel.kopiere"_s).arg(StatusPanelTexte::kuerze(text, menueZeichen)));
        connect(kopieren, &QAction::triggered, this, [this, text] {
            if (aktionen_.aufKopieren) {
                aktionen_.aufKopieren(text);
            }
        });
    }
    if (!eintraege.isEmpty()) {
        menue_.addSeparator();
    }
    for (const PanelAktionen::Befehl& befehl : PanelAktionen::befehle()) {
        connect(menue_.addAction(texte_.text(befehl.key)), &QAction::triggered, this,
                [this, &befehl] { aktionen_.fuehreAus(befehl); });
    }
    menue_.addSeparator();
    connect(menue_.addAction(texte_.text(u"panel.beenden"_s)), &QAction::triggered, this, [this] {
        if (aktionen_.aufBeenden) {
            aktionen_.aufBeenden();
        }
    });
}

} // namespace parlix
