#pragma once

#include <QtGlobal>

namespace parlix {

// The key event types the hotkey logic decides on. The numbers are the macOS event
// types; the platform's key source translates its own events into them.
namespace Ereignistyp {

inline constexpr quint32 tasteRunter = 10;
inline constexpr quint32 tasteHoch = 11;
// A modifier key went down or up; the flags tell which modifiers are now held.
inline constexpr quint32 flagsGeaendert = 12;
// The system switched the event source off; it has to be switched on again.
inline constexpr quint32 abgeschaltetZeit = 0xFFFFFFFE;
inline constexpr quint32 abgeschaltetEingabe = 0xFFFFFFFF;

} // namespace Ereignistyp

} // namespace parlix
