#pragma once

#include "app/platform/Mikrofon.hpp"

#include <QString>
#include <optional>
#include <vector>

namespace parlix {

class PulseVerbindung;

// The machine's inputs: PulseAudio sources that are not monitors of sinks, in the
// server's order. Each call asks the server afresh; a server that cannot be reached
// gives an empty list.
class Mikrofone {
public:
    static std::vector<Mikrofon> liste();
    static std::vector<Mikrofon> liste(PulseVerbindung& verbindung);

    // The source index of the input whose uid equals fuerUID exactly (case-sensitive);
    // absent for an empty uid, a monitor or an unknown name.
    static std::optional<quint32> geraeteID(const QString& fuerUID);
    static std::optional<quint32> geraeteID(PulseVerbindung& verbindung, const QString& fuerUID);
};

} // namespace parlix
