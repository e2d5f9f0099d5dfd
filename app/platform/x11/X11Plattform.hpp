#pragma once

#include "app/platform/KontextDienste.hpp"

namespace parlix {

class DefaultsStore;
class MainQueue;
struct Plattform;

// Fills the services of an X11 session: keys, the focused application, paste and copy
// through the X server, the context over the accessibility bus. Main thread, once.
namespace X11Plattform {

void bestuecke(Plattform& plattform, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontext);

} // namespace X11Plattform

} // namespace parlix
