#pragma once

#include "app/platform/Stummschalter.hpp"

namespace parlix {

// No sound server to lower: other audio stays as it is.
class NullStummschalter final : public Stummschalter {
public:
    void absenken(int) override {}
    void wiederherstellen() override {}
};

} // namespace parlix
