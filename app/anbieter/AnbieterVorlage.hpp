#pragma once

#include <QStringView>
#include <span>

namespace parlix {

// A provider the settings offer ready-made: its OpenAI-compatible root and the models
// filled in when the user picks it. "andere" stands for any other OpenAI-compatible
// server; the user gives its root.
struct AnbieterVorlage {
    QStringView id;
    // The provider's own name; empty for "andere", whose name is a localised text.
    QStringView name;
    QStringView url;
    QStringView sttModell;
    QStringView chatModell;
    QStringView visionModell;

    static std::span<const AnbieterVorlage> alle();
    // Null for an id that names none (the empty id: no provider).
    static const AnbieterVorlage* finde(QStringView id);
};

} // namespace parlix
