#pragma once

namespace parlix {

class DefaultsStore;
class MainQueue;
struct Plattform;

// Fills the services of a Wayland session, each with the first link of its chain that
// works here, and says in the log which one it took and what the user can do to get a
// better one. Services it cannot provide stay empty (the loader fills them with null
// ones). Main thread, once.
//   keys:         evdev → sway IPC bindings → GlobalShortcuts portal → `parlix --toggle`,
//                 bound by the user in the desktop
//   paste:        data-control + virtual keyboard → RemoteDesktop portal → uinput →
//                 data-control alone ("copied, press Ctrl+V")
//   context:      AT-SPI; selection by copy through data-control; primary selection
//   app id:       sway IPC
//   window photo: screencopy of the focused window's region → Screenshot portal
//   overlays:     layer-shell → Qt's windows, placed by the compositor
namespace WaylandPlattform {

void bestuecke(Plattform& plattform, DefaultsStore& speicher, MainQueue& mainQueue);

} // namespace WaylandPlattform

} // namespace parlix
