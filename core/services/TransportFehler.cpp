#include "core/services/TransportFehler.hpp"

namespace parlix {

TransportFehler::TransportFehler(Art art, const QString& beschreibung)
    : std::runtime_error(beschreibung.toStdString())
    , art_(art) {}

} // namespace parlix
