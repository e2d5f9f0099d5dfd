#include "app/render/RenderUmgebung.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

RenderUmgebung::RenderUmgebung(const QString& sprache) {
    texte.waehleSprache(sprache);
    // Oldest first, so that the dictation ends up on top.
    verlauf.hinzufuegen(u"Prompt"_s, texte.text(u"beispiel.prompt"_s));
    verlauf.hinzufuegen(u"Antwort"_s, texte.text(u"beispiel.antwort"_s));
    verlauf.hinzufuegen(u"Aktion"_s, texte.text(u"beispiel.aktion"_s));
    verlauf.hinzufuegen(u"Diktat"_s, texte.text(u"beispiel.diktat"_s));
}

} // namespace parlix
