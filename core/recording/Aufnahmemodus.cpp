#include "core/recording/Aufnahmemodus.hpp"

namespace parlix {

QString alsText(Aufnahmemodus modus) {
    switch (modus) {
    case Aufnahmemodus::diktat:
        return QStringLiteral("diktat");
    case Aufnahmemodus::aktion:
        return QStringLiteral("aktion");
    case Aufnahmemodus::promptModus:
        return QStringLiteral("promptModus");
    }
    return {};
}

} // namespace parlix
