#pragma once

#include "app/platform/KontextDienste.hpp"
#include "app/platform/linux/AblageAuswahlKopierer.hpp"

#include <chrono>

namespace parlix {

class DefaultsStore;
class MainQueue;
struct Plattform;

// Fills the services of an X11 session: keys, the focused application, paste and copy
// through the X server, the context over the accessibility bus. Main thread, once.
namespace X11Plattform {

// Longest wait for the main thread to take a step of a selection copy.
inline constexpr std::chrono::milliseconds kMainFrist{2000};

// Qt's clipboard, the X connection of the key sender and the frontmost application's
// are the main thread's: a selection copy asked for on another thread does its steps
// there, each waited for up to kMainFrist.
AblageAuswahlKopierer::Ausfuehrer aufDemMainThread(MainQueue& mainQueue);

void bestuecke(Plattform& plattform, DefaultsStore& speicher, MainQueue& mainQueue,
               const KontextFabrik& kontext);

} // namespace X11Plattform

} // namespace parlix
