#pragma once

#include <QStringView>
#include <optional>
#include <span>

namespace parlix {

// The visualisation the HUD draws. The raw value is stored in the setting "hudStil"
// and doubles as the id.
struct HUDStil {
    enum class Fall { energie, wellen, puls, equalizer, sonar, orbit, waveform, arcs, blob, komet };

    Fall fall;
    QStringView rohwert;
    // Localisation key of the title shown in the settings window: "hud.stil." + rohwert.
    QStringView titelKey;

    bool operator==(const HUDStil& andere) const { return fall == andere.fall; }

    // Every style, in display order.
    static std::span<const HUDStil> alle();
    // Exact, case-sensitive match of the raw value; nothing for any other text.
    static std::optional<HUDStil> aus(QStringView rohwert);
    // The style of a stored raw value; energie for one that names no style.
    static HUDStil ausEinstellung(QStringView rohwert);
};

} // namespace parlix
