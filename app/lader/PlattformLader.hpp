#pragma once

#include "app/platform/Plattform.hpp"

#include <QString>
#include <memory>

namespace parlix {

class DefaultsStore;
class MainQueue;

// The one place that chooses the implementations of the desktop's services, once at
// start. The session decides: an X11 session gets the X11 and accessibility services, a
// Wayland session the Wayland ones (WaylandPlattform, which takes the first link of each
// service's chain that works and logs which), a session without a display none; sound
// (PulseAudio, libcanberra) and text recognition (Tesseract) are the same everywhere. The
// environment variable PARLIX_PLATTFORM ("x11", "wayland" or "null") overrides the
// detection; "null" also leaves out the sound, which suits tests. Every service left
// without an implementation gets a null one that does nothing, and one log line names it.
//
// The accessibility bus's services (AT-SPI) are made here and handed to the desktop's
// assembly, so that no desktop library links another.
//
// To add a backend: write its implementations and its assembly (<Name>Plattform::bestuecke)
// in app/platform/<name>/, add an entry to the backend table in PlattformLader.cpp, and
// let erkenneSitzung() choose it.
namespace PlattformLader {

// "x11", "wayland" or "null": the override if valid, else from the session's
// variables (XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY).
QString erkenneSitzung();

// Whether Qt is to draw on XWayland in this session (WaylandPlattform::qtUeberXWayland).
// Before Qt starts.
bool qtUeberXWayland();

// `mainQueue` and `speicher` outlive the platform.
std::unique_ptr<Plattform> lade(DefaultsStore& speicher, MainQueue& mainQueue);

} // namespace PlattformLader

} // namespace parlix
