#pragma once

namespace parlix {

// Lowers other audio output while recording and puts back exactly what it changed.
// Main thread.
class Stummschalter {
public:
    virtual ~Stummschalter() = default;

    // Lowers (or, at 0 on an output without volume control, mutes) the default output to
    // the level in percent; 100 or more changes nothing. While one change is outstanding,
    // further calls do nothing.
    virtual void absenken(int prozent) = 0;

    // Restores what absenken() changed, if anything, and forgets it.
    virtual void wiederherstellen() = 0;
};

} // namespace parlix
