#include "core/hotkeys/HotkeyTap.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/log/DateiLog.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

HotkeyTap::HotkeyTap(std::vector<std::shared_ptr<HotkeyManager>> manager,
                     std::unique_ptr<TastenQuelle> quelle)
    : manager_(std::move(manager))
    , quelle_(std::move(quelle)) {}

HotkeyTap::~HotkeyTap() {
    quelle_.reset();
}

void HotkeyTap::starte() {
    for (const auto& manager : manager_) {
        manager->ladeKonfig();
    }
    quelle_->starte([this](quint32 typ, qint64 keyCode,
                           quint64 flags) { return behandle(typ, keyCode, flags); },
                    &HotkeyTap::meldeBereit);
}

void HotkeyTap::meldeBereit(bool erstellt) {
    // Without a source there are no hotkeys until the program is started again.
    log().schreibe(erstellt ? u"HotkeyTap aktiv (eigener Thread)"_s
                            : u"FEHLER: HotkeyTap: konnte nicht erstellt werden "
                              u"(Bedienungshilfen fehlen?)"_s);
}

bool HotkeyTap::behandle(quint32 typ, qint64 keyCode, quint64 flags) {
    if (typ == Ereignistyp::abgeschaltetZeit || typ == Ereignistyp::abgeschaltetEingabe) {
        quelle_->aktiviereWieder();
        return false;
    }
    if (gameModeAktiv_.load(std::memory_order_relaxed)) {
        // Nothing new starts, but a key held since before still ends its recording.
        for (const auto& manager : manager_) {
            manager->verarbeiteLoslassen(typ, keyCode, flags);
        }
        return false;
    }
    // Every manager sees every event, even one that another has claimed, so that each
    // keeps track of its own key.
    bool schlucken = false;
    for (const auto& manager : manager_) {
        schlucken = manager->verarbeite(typ, keyCode, flags) || schlucken;
    }
    return schlucken;
}

} // namespace parlix
