#pragma once

#include "app/platform/Barrierefreiheit.hpp"

namespace parlix {

// The session's accessibility switch: the property IsEnabled of org.a11y.Status that
// the accessibility bus launcher offers on the session bus (what the desktop's own
// switch sets). Each call asks over a connection of its own to the session bus of the
// moment. Any thread.
class AtspiBarrierefreiheit final : public Barrierefreiheit {
public:
    bool aktiv() override;
    // Writes only when it is off: the launcher keeps the value in the desktop's settings,
    // so an unneeded write would be a change the user did not ask for.
    bool schalteEin() override;
};

} // namespace parlix
