#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/platform/AXKontext.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/AktionsPrompts.hpp"
#include "core/text/Zeichen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

std::optional<QString> AufnahmeCoordinator::editiereAuswahl(const Lauf& lauf,
                                                            const QString& befehl) {
    // Only a selection: rewriting a whole field that the user did not mark would replace
    // more than they meant.
    QString auswahl = amDesktop(lauf, [this] { return d_.axKontext.auswahl(); });
    if (auswahl.isEmpty()) {
        auswahl = amDesktop(lauf, [this] { return d_.auswahl.auswahlText(); });
    }
    if (auswahl.trimmed().isEmpty()) {
        return std::nullopt;
    }
    log().schreibe(u"✏️ Sprach-Editing: Auswahl "_s + QString::number(anzahlZeichen(auswahl)) +
                   u" Z. → „"_s + ersteZeichen(befehl, 40) + u"\""_s);
    return chatte(lauf, AktionsPrompts::auswahlEdit(), GroqChat::aktionsNutzer(befehl, auswahl));
}

} // namespace parlix
