#pragma once

namespace parlix {

// The desktop's accessibility bus, over which Parlix reads the focused field and the
// selection of other applications. Main thread.
class Barrierefreiheit {
public:
    virtual ~Barrierefreiheit() = default;

    // Whether the bus is switched on for the session.
    virtual bool aktiv() = 0;
    // Switches it on; whether that worked. Applications that were already running expose
    // themselves only after their next start.
    virtual bool schalteEin() = 0;
};

} // namespace parlix
