#include "app/maintenance/UpdateErgebnis.hpp"

namespace parlix {

QString statusSchluessel(UpdateErgebnis ergebnis) {
    switch (ergebnis) {
    case UpdateErgebnis::aktuell:
        return QStringLiteral("update.aktuell");
    case UpdateErgebnis::gefunden:
        return QStringLiteral("update.laedt");
    case UpdateErgebnis::verfuegbar:
        return QStringLiteral("update.paketverwaltung");
    case UpdateErgebnis::verweigert:
        return QStringLiteral("update.verweigert");
    case UpdateErgebnis::fehler:
        break;
    }
    return QStringLiteral("update.fehler");
}

} // namespace parlix
