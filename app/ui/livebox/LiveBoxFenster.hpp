#pragma once

namespace parlix {

class LiveBoxModel;

// The live word box: a click-through strip above the HUD showing the newest words of a
// streamed recording. It draws the model's visible words and follows their changes.
// Main thread.
class LiveBoxFenster {
public:
    virtual ~LiveBoxFenster() = default;

    // Fades the box in (created on first use, then reused).
    virtual void zeige(LiveBoxModel& model) = 0;
    // Fades it out.
    virtual void verstecke() = 0;
};

} // namespace parlix
