#pragma once

#include "app/platform/FensterFoto.hpp"

namespace parlix {

// The active window with the window manager's frame around it, its own pixels only
// (the HUD and the live word box on top of it are not in the picture), read from the X
// server into memory and encoded as PNG. No file is written. The window is the window
// manager's _NET_ACTIVE_WINDOW, not a window id of the application (toolkits keep hidden
// leader windows); the desktop's background or a panel gives no photo. Any thread: each
// call opens its own connection.
class X11FensterFoto final : public FensterFoto {
public:
    std::optional<QByteArray> fensterScreenshot() override;
};

} // namespace parlix
