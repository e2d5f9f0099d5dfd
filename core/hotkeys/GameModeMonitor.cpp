#include "core/hotkeys/GameModeMonitor.hpp"

#include "core/log/DateiLog.hpp"

#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// How far a full-screen window's size may be off its screen's; heights vary more.
constexpr double breitenToleranz = 4.0;
constexpr double hoehenToleranz = 6.0;

bool fuellt(const QSizeF& fenster, const QSizeF& bildschirm) {
    return std::abs(fenster.width() - bildschirm.width()) < breitenToleranz &&
           std::abs(fenster.height() - bildschirm.height()) < hoehenToleranz;
}

} // namespace

GameModeMonitor::GameModeMonitor(MainQueue& queue, VollbildSonde& sonde)
    : queue_(queue)
    , sonde_(sonde) {}

GameModeMonitor::~GameModeMonitor() {
    stoppe();
}

void GameModeMonitor::starte() {
    if (beobachtet_) {
        return;
    }
    beobachtet_ = true;
    sonde_.beobachteWechsel([this] { pruefe(); });
    planeNaechstePruefung();
    pruefe();
}

void GameModeMonitor::stoppe() {
    if (!beobachtet_) {
        return;
    }
    beobachtet_ = false;
    sonde_.beendeBeobachtung();
    timer_->abbrechen();
    timer_.reset();
}

void GameModeMonitor::planeNaechstePruefung() {
    // Scheduled before the check runs, so that a stoppe() from onChange cancels it.
    timer_ = queue_.after(pruefIntervall, [this] {
        planeNaechstePruefung();
        pruefe();
    });
}

void GameModeMonitor::pruefe() {
    const bool vollbild = istVollbildAktiv();
    if (vollbild == aktiv_) {
        return;
    }
    aktiv_ = vollbild;
    log().schreibe(vollbild ? u"Game Mode AN — Hotkeys deaktiviert"_s
                            : u"Game Mode AUS — Hotkeys aktiv"_s);
    if (onChange) {
        onChange(vollbild);
    }
}

bool GameModeMonitor::istVollbildAktiv() {
    if (const auto gemeldet = sonde_.meldetVollbild()) {
        return *gemeldet;
    }
    const auto pid = sonde_.vorderstePid();
    if (!pid) {
        return false;
    }
    const auto fenster = sonde_.fenster();
    if (!fenster) {
        return false;
    }
    const QList<QSizeF> bildschirme = sonde_.bildschirme();
    for (const VollbildSonde::Fenster& f : *fenster) {
        if (f.besitzerPid != *pid || f.ebene != 0 || !f.grenzen) {
            continue;
        }
        for (const QSizeF& bildschirm : bildschirme) {
            if (fuellt(f.grenzen->size(), bildschirm)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace parlix
