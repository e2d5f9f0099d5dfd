#pragma once

#include "app/platform/EscMonitor.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "app/platform/x11/X11TastenQuelle.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <memory>

namespace parlix {

class DefaultsStore;
class MainQueue;

// The X11 implementations of the global keys, the Escape watch, the full-screen probe
// and the frontmost application, for the one place that assembles the platform. Main
// thread; each lives as long as its user (the queue and the store outlive them all).
namespace X11Dienste {

// A Wayland session (WAYLAND_DISPLAY set), where an X server runs at most for X11 apps.
bool istWaylandSitzung();
// Whether this session can use them: an X display answers, and it is no Wayland session.
bool verfuegbar();

// For HotkeyTap; the same object is the settings window's TastenUmleitung.
std::unique_ptr<X11TastenQuelle> tastenQuelle(MainQueue& queue, DefaultsStore& speicher);
std::unique_ptr<EscMonitor> escMonitor(MainQueue& queue);
// For GameModeMonitor, which must end before it.
std::unique_ptr<VollbildSonde> vollbildSonde(MainQueue& queue);
std::unique_ptr<VordergrundApp> vordergrundApp();

} // namespace X11Dienste

} // namespace parlix
