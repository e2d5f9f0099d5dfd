#include "core/audio/PegelGlaetter.hpp"

#include <algorithm>

namespace parlix {

float PegelGlaetter::schiebe(float x) {
    // Written so that NaN fails the comparison and lands on 0.
    const float ziel = x > 0.0f ? std::min(x, 1.0f) : 0.0f;
    const float rate = wert_ < ziel ? attack_ : decay_;
    wert_ += (ziel - wert_) * rate;
    return wert_;
}

} // namespace parlix
