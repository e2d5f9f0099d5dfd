#include "app/ui/hud/HUDPalette.hpp"

#include "app/ui/hud/HexFarbe.hpp"

#include <algorithm>
#include <cmath>

namespace parlix {

namespace {

float begrenzt(float x) {
    return std::clamp(x, 0.0f, 1.0f);
}

// The hue goes round the colour circle.
float umlaufend(float x) {
    return x - std::floor(x);
}

QColor hsb(float h, float s, float b) {
    return QColor::fromHsvF(umlaufend(h), begrenzt(s), begrenzt(b), 1.0f);
}

} // namespace

HUDPalette::HUDPalette()
    : HUDPalette(farbeAusHex(QStringLiteral("#4FB4FF"))) {}

HUDPalette::HUDPalette(const QColor& akzent)
    : rand(akzent) {
    // The system blue stands in for a colour that has no sRGB form.
    const QColor srgb = akzent.isValid() ? akzent.toRgb() : QColor::fromRgbF(0.0f, 0.478f, 1.0f);
    float h = 0;
    float s = 0;
    float b = 0;
    srgb.getHsvF(&h, &s, &b);
    // Qt gives grey no hue (-1); it is 0 on the colour circle.
    h = std::max(h, 0.0f);
    mitte = hsb(h, s * 0.8f, b + 0.12f);
    hell = hsb(h, s * 0.4f, b + 0.32f);
    glow1 = hsb(h, s, b);
    glow2 = hsb(h + 0.04f, s * 0.9f, b + 0.05f);
}

} // namespace parlix
