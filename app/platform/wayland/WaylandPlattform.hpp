#pragma once

#include "app/platform/KontextDienste.hpp"

namespace parlix {

class DefaultsStore;
class MainQueue;
struct Plattform;

// Fills the services of a Wayland session, each with the first link of its chain that
// works here, and says in the log which one it took and what the user can do to get a
// better one. Services it cannot provide stay empty (the loader fills them with null
// ones). Main thread, once.
//   keys:         evdev → sway IPC bindings → GlobalShortcuts portal → `parlix --toggle`,
//                 bound by the user in the desktop; new hotkeys from the settings window
//   paste:        data-control (ext, wlr) + virtual keyboard → RemoteDesktop portal →
//                 uinput → data-control alone ("copied, press Ctrl+V"); without
//                 data-control Mutter's own remote-desktop session (GNOME) → the
//                 RemoteDesktop portal's clipboard and keys
//   context:      the accessibility bus's services (`kontext`, made when first needed);
//                 selection by copy through the clipboard
//   app id:       sway IPC → Hyprland IPC → foreign-toplevel → AT-SPI's active window
//   window photo: screencopy of the focused window's region → none (the Screenshot
//                 portal's picture is the whole screen)
//   overlays:     layer-shell → XWayland windows that take no focus (see
//                 qtUeberXWayland) → none (an ordinary window would take the focus)
namespace WaylandPlattform {

// Whether Qt should draw on XWayland (`-platform xcb`) instead of Wayland: where the
// compositor offers no layer-shell, an override-redirect X window is the only overlay it
// shows without giving it the focus, which a paste would otherwise land in. Only for a
// Wayland session with XWayland (DISPLAY set) and no Qt platform chosen by the user.
// Called before Qt starts.
bool qtUeberXWayland();

void bestuecke(Plattform& plattform, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontext);

} // namespace WaylandPlattform

} // namespace parlix
