#pragma once

namespace parlix {

// Smooths the live input level for display: a rising level is followed with the fraction
// `attack` of the distance per step, a falling or steady one with `decay`, so the display
// jumps up quickly and sinks slowly. The HUD uses attack 0.5 and decay 0.12.
class PegelGlaetter {
public:
    PegelGlaetter(float attack, float decay)
        : attack_(attack)
        , decay_(decay) {}

    // Moves towards x clamped to [0, 1] (NaN counts as 0) and returns the new level.
    float schiebe(float x);
    float aktuell() const { return wert_; }
    void reset() { wert_ = 0.0f; }

private:
    float wert_ = 0.0f;
    float attack_;
    float decay_;
};

} // namespace parlix
