#pragma once

#include <QString>

namespace parlix {

// An input device as the settings screen offers it.
struct Mikrofon {
    QString uid;  // the sound server's name of the source; stored as the setting "mikrofonUID"
    QString name; // the source's description

    bool operator==(const Mikrofon&) const = default;
};

} // namespace parlix
