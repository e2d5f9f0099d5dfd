#pragma once

#include "app/platform/MikrofonDienst.hpp"

namespace parlix {

// The microphones of the PulseAudio server (also PipeWire through pipewire-pulse).
class PulseMikrofonDienst final : public MikrofonDienst {
public:
    std::vector<Mikrofon> liste() override;
    // Opens a record stream on the default source and closes it again.
    bool kannAufnehmen() override;
    // The desktop's own sound settings (GNOME, KDE), else a PulseAudio mixer.
    bool oeffneToneinstellungen() override;
};

} // namespace parlix
