#pragma once

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/x11/DesktopEintraege.hpp"
#include "app/platform/x11/XVerbindung.hpp"

namespace parlix {

// The application id of the active X11 window, the first of: the GTK application id
// (_GTK_APPLICATION_ID), the desktop file a Qt/KDE application names
// (_KDE_NET_WM_DESKTOP_FILE), the Flatpak or Snap id of its process, the desktop entry
// whose StartupWMClass is its WM_CLASS class (or instance), and else the WM_CLASS class.
// Main thread; its connection opens on first use (again after it was lost), so without
// an X display it answers nothing.
class X11VordergrundApp final : public VordergrundApp {
public:
    X11VordergrundApp() = default;
    explicit X11VordergrundApp(DesktopEintraege eintraege)
        : eintraege_(std::move(eintraege)) {}

    std::optional<QString> anwendungsID() override;
    // _NET_WM_PID of the active window, unless the window is shown from another machine
    // (WM_CLIENT_MACHINE), where the number names no process here.
    std::optional<qint64> prozess() override;
    // The same for any top-level window.
    std::optional<QString> anwendungsID(quint64 fenster);

private:
    std::optional<XVerbindung> verbindung_;
    DesktopEintraege eintraege_;
};

} // namespace parlix
