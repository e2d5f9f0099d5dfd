#pragma once

#include <QStringView>
#include <optional>
#include <span>

namespace parlix {

// A domain profile for dictation: a line for the cleanup prompt and a vocabulary that
// feeds both the glossary and the transcription.
struct DiktatProfil {
    enum class Fall { keins, medizin, recht, entwickler };

    Fall fall;
    // Stored in the settings; doubles as the id.
    QStringView rohwert;
    QStringView titelKey;
    QStringView promptZusatz;
    // Comma-separated terms of the domain.
    QStringView vokabular;

    bool operator==(const DiktatProfil& andere) const { return fall == andere.fall; }

    static std::span<const DiktatProfil> alle();
    // Exact, case-sensitive match of the raw value; nothing for any other text.
    static std::optional<DiktatProfil> aus(QStringView rohwert);
};

} // namespace parlix
