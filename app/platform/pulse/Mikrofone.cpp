#include "app/platform/pulse/Mikrofone.hpp"

#include "app/platform/pulse/PulseVerbindung.hpp"

#include <stdexcept>

namespace parlix {

namespace {

std::vector<PulseQuelle> eingaenge(PulseVerbindung& verbindung) {
    std::vector<PulseQuelle> quellen = verbindung.quellen();
    std::erase_if(quellen, [](const PulseQuelle& quelle) { return quelle.istMonitor; });
    return quellen;
}

} // namespace

std::vector<Mikrofon> Mikrofone::liste() {
    try {
        PulseVerbindung verbindung;
        return liste(verbindung);
    } catch (const std::runtime_error&) {
        return {};
    }
}

std::vector<Mikrofon> Mikrofone::liste(PulseVerbindung& verbindung) {
    std::vector<Mikrofon> ergebnis;
    for (const PulseQuelle& quelle : eingaenge(verbindung)) {
        ergebnis.push_back({quelle.name, quelle.beschreibung});
    }
    return ergebnis;
}

std::optional<quint32> Mikrofone::geraeteID(const QString& fuerUID) {
    if (fuerUID.isEmpty()) {
        return std::nullopt;
    }
    try {
        PulseVerbindung verbindung;
        return geraeteID(verbindung, fuerUID);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

std::optional<quint32> Mikrofone::geraeteID(PulseVerbindung& verbindung, const QString& fuerUID) {
    if (fuerUID.isEmpty()) {
        return std::nullopt;
    }
    for (const PulseQuelle& quelle : eingaenge(verbindung)) {
        if (quelle.name == fuerUID) {
            return quelle.index;
        }
    }
    return std::nullopt;
}

} // namespace parlix
