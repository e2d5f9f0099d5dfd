#pragma once

#include "app/platform/FensterFoto.hpp"

namespace parlix {

// The active window as the user sees it: the screen inside the window's frame (the
// window manager's decoration included), read from the X server into memory and encoded
// as PNG. No file is written. The frame is taken from the window manager's
// _NET_ACTIVE_WINDOW, not from a window id of the application (toolkits keep hidden
// leader windows). Any thread: each call opens its own connection.
class X11FensterFoto final : public FensterFoto {
public:
    std::optional<QByteArray> fensterScreenshot() override;
};

} // namespace parlix
