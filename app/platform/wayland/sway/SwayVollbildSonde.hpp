#pragma once

#include "app/platform/wayland/Wechselmeldung.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

namespace parlix {

class MainQueue;
class SwayEreignisse;
class SwayIpc;

// The full-screen check on sway: windows, outputs and focus changes from its IPC.
class SwayVollbildSonde final : public VollbildSonde {
public:
    SwayVollbildSonde(SwayIpc& ipc, SwayEreignisse& ereignisse, MainQueue& mainQueue);
    ~SwayVollbildSonde() override;

    std::optional<qint64> vorderstePid() override;
    std::optional<QList<Fenster>> fenster() override;
    QList<QSizeF> bildschirme() override;
    void beobachteWechsel(std::function<void()> wechsel) override;
    void beendeBeobachtung() override;

private:
    SwayIpc& ipc_;
    SwayEreignisse& ereignisse_;
    MainQueue& mainQueue_;
    QList<int> abos_;
    Wechselmeldung wechsel_;
};

} // namespace parlix
