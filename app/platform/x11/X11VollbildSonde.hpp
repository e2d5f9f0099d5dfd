#pragma once

#include "app/platform/x11/XFaden.hpp"
#include "app/platform/x11/XVerbindung.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <memory>

namespace parlix {

// The desktop for the full-screen check, from the window manager (EWMH): the process of
// the active window, the windows it shows full screen, and the monitors (XRandR).
//
// Only windows in the manager's full-screen state (_NET_WM_STATE_FULLSCREEN) on the
// current desktop are listed: on X11 a maximised or tiled window can fill a screen to
// the pixel (there is no menu bar as on the Mac), and such a window is no game.
//
// The change watch runs a thread with a connection of its own that waits for property
// changes of the root window (active window, current desktop) and of the active
// window's state (entering or leaving full screen), and posts the call to the main
// queue. Queries run on the main thread through a connection opened on first use.
class X11VollbildSonde final : public VollbildSonde {
public:
    explicit X11VollbildSonde(MainQueue& queue);
    ~X11VollbildSonde() override;

    std::optional<qint64> vorderstePid() override;
    std::optional<QList<Fenster>> fenster() override;
    QList<QSizeF> bildschirme() override;

    void beobachteWechsel(std::function<void()> wechsel) override;
    void beendeBeobachtung() override;

private:
    struct Beobachter;

    MainQueue& queue_;
    std::optional<XVerbindung> verbindung_;
    std::shared_ptr<std::function<void()>> wechsel_;
    std::unique_ptr<XFaden> faden_;
};

} // namespace parlix
