#pragma once

#include "app/platform/FokusOrt.hpp"

#include <memory>

namespace parlix {

// The focused window on an X11 desktop: the window manager's active window
// (_NET_ACTIVE_WINDOW), else the X input focus, with its place on the root window.
// Keeps one X connection of its own. Main thread.
class X11FokusOrt final : public FokusOrt {
public:
    X11FokusOrt();
    ~X11FokusOrt() override;

    // False when no X display could be opened; the object then always answers nothing.
    bool verbunden() const;

    std::optional<QRect> fokusFenster() override;

private:
    struct Verbindung;
    std::unique_ptr<Verbindung> verbindung_;
};

} // namespace parlix
