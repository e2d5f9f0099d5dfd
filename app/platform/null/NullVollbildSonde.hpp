#pragma once

#include "core/hotkeys/VollbildSonde.hpp"

namespace parlix {

// No window list on this desktop: nothing is ever full screen, so the hotkeys stay on.
class NullVollbildSonde final : public VollbildSonde {
public:
    std::optional<qint64> vorderstePid() override { return std::nullopt; }
    std::optional<QList<Fenster>> fenster() override { return std::nullopt; }
    QList<QSizeF> bildschirme() override { return {}; }
    void beobachteWechsel(std::function<void()>) override {}
    void beendeBeobachtung() override {}
};

} // namespace parlix
