#pragma once

#include "app/platform/Klangspieler.hpp"

namespace parlix {

// No sound server: cues are silent.
class NullKlangspieler final : public Klangspieler {
public:
    void spiele(const QString&) override {}
};

} // namespace parlix
