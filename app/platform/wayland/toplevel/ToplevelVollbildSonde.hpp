#pragma once

#include "app/platform/wayland/Wechselmeldung.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

namespace parlix {

class AktivesFenster;

// The full-screen check where only a window list tells about the windows (wlroots'
// foreign-toplevel management, KDE's window management): the active window's own
// full-screen state. Looking at the active window alone, it cannot see a full-screen window of the
// front application that is not the active one (behind its dialog), nor a borderless window merely
// sized like the screen; it offers no window list, and the check takes its word.
class ToplevelVollbildSonde final : public VollbildSonde {
public:
    ToplevelVollbildSonde(AktivesFenster& fenster, MainQueue& mainQueue)
        : fenster_(fenster)
        , mainQueue_(mainQueue) {}
    ~ToplevelVollbildSonde() override;

    std::optional<qint64> vorderstePid() override { return std::nullopt; }
    std::optional<QList<Fenster>> fenster() override { return std::nullopt; }
    QList<QSizeF> bildschirme() override { return {}; }
    std::optional<bool> meldetVollbild() override;
    void beobachteWechsel(std::function<void()> wechsel) override;
    void beendeBeobachtung() override;

private:
    AktivesFenster& fenster_;
    MainQueue& mainQueue_;
    Wechselmeldung wechsel_;
};

} // namespace parlix
