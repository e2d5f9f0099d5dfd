#pragma once

namespace parlix {

// Whether Parlix may read other applications' text and post keystrokes to them.
class AXVertrauen {
public:
    virtual ~AXVertrauen() = default;

    // Main thread; returns at once.
    virtual bool istVertraut() = 0;
};

} // namespace parlix
