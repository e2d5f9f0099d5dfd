#pragma once

#include <QString>

namespace parlix {

// Plays short feedback cues by name ("bloom", "Tink"): a bundled sound of that name,
// else the desktop sound theme's sound of that name; a missing sound plays nothing.
// Never blocks the caller. Main thread.
class Klangspieler {
public:
    virtual ~Klangspieler() = default;

    // Stops the cue if it is still playing, then plays it from the start.
    virtual void spiele(const QString& name) = 0;
};

} // namespace parlix
