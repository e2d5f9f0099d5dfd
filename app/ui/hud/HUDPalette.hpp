#pragma once

#include <QColor>

namespace parlix {

// The five colours of a HUD visualisation, derived from one accent colour: the accent
// itself as the rim, and lighter, less saturated or slightly hue-shifted variants of it.
struct HUDPalette {
    QColor rand;
    QColor mitte;
    QColor hell;
    QColor glow1;
    QColor glow2;

    // The palette of the default accent "#4FB4FF".
    HUDPalette();
    explicit HUDPalette(const QColor& akzent);

    bool operator==(const HUDPalette&) const = default;
};

} // namespace parlix
