#pragma once

#include "core/hotkeys/TastenQuelle.hpp"

namespace parlix {

// A key source for a desktop whose global keys we cannot read: it reports at once
// that it could not be set up, so the program runs without hotkeys.
class NullTastenQuelle final : public TastenQuelle {
public:
    void starte(Behandler, Bereit bereit) override { bereit(false); }
    void aktiviereWieder() override {}
};

} // namespace parlix
