#pragma once

#include "app/platform/wayland/Wechselmeldung.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <memory>

namespace parlix {

class HyprlandEreignisse;
class HyprlandIpc;

// The full-screen check on Hyprland: the focused window's own full-screen state (not a
// maximised one), re-checked at every focus, full-screen, workspace and close event.
class HyprlandVollbildSonde final : public VollbildSonde {
public:
    HyprlandVollbildSonde(const HyprlandIpc& ipc, MainQueue& mainQueue);
    ~HyprlandVollbildSonde() override;

    std::optional<qint64> vorderstePid() override;
    // Hyprland says itself which window is full screen: no list to judge from.
    std::optional<QList<Fenster>> fenster() override { return std::nullopt; }
    QList<QSizeF> bildschirme() override { return {}; }
    std::optional<bool> meldetVollbild() override;
    void beobachteWechsel(std::function<void()> wechsel) override;
    void beendeBeobachtung() override;

private:
    const HyprlandIpc& ipc_;
    MainQueue& mainQueue_;
    Wechselmeldung wechsel_;
    std::unique_ptr<HyprlandEreignisse> ereignisse_;
};

} // namespace parlix
