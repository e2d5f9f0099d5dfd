#pragma once

#include <QStringView>
#include <optional>
#include <span>

namespace parlix {

// The writing style the cleanup model applies. The raw value is stored in the settings
// and doubles as the id.
struct Schreibstil {
    enum class Fall {
        normal,
        natuerlich,
        kurz,
        locker,
        klein,
        gehoben,
        eloquent,
        business,
        stichpunkte,
        woertlich
    };

    Fall fall;
    QStringView rohwert;
    // Localisation key of the title shown in the settings window.
    QStringView titelKey;
    // The line added to the cleanup prompt, labelled "Stil: "; empty for normal.
    QStringView hinweis;

    bool operator==(const Schreibstil& andere) const { return fall == andere.fall; }

    // Every style, in display order.
    static std::span<const Schreibstil> alle();
    // Exact, case-sensitive match of the raw value; nothing for any other text.
    static std::optional<Schreibstil> aus(QStringView rohwert);
};

} // namespace parlix
