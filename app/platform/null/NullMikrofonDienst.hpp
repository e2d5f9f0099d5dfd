#pragma once

#include "app/platform/MikrofonDienst.hpp"

namespace parlix {

// No sound server: no inputs and nothing to open.
class NullMikrofonDienst final : public MikrofonDienst {
public:
    std::vector<Mikrofon> liste() override { return {}; }
    bool kannAufnehmen() override { return false; }
    bool oeffneToneinstellungen() override { return false; }
};

} // namespace parlix
