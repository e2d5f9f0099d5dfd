// Stand-ins for the action, reply and selection-editing pipelines until they are built:
// they end the run the way those pipelines end it when they cannot help.
#include "app/coordinator/AufnahmeCoordinator.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

void AufnahmeCoordinator::verarbeiteAktion(const Lauf& lauf, const QString&, Aufnahmemodus modus) {
    meldeFehler(lauf,
                modus == Aufnahmemodus::promptModus ? u"fehler.prompt"_s : u"fehler.aktion"_s);
}

void AufnahmeCoordinator::verarbeiteAntwort(const Lauf& lauf, const QString&) {
    meldeFehler(lauf, u"fehler.antwort"_s);
}

std::optional<QString> AufnahmeCoordinator::editiereAuswahl(const Lauf&, const QString&) {
    return std::nullopt;
}

} // namespace parlix
