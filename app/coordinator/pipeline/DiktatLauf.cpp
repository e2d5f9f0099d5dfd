#include "app/coordinator/pipeline/DiktatLauf.hpp"

#include "app/coordinator/pipeline/AntwortLauf.hpp"
#include "app/platform/AXKontext.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/Aktionen.hpp"
#include "core/text/AktionsPrompts.hpp"
#include "core/text/SprachEditing.hpp"
#include "core/text/Zeichen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

PipelineErgebnis DiktatLauf::fuehreAus(const QString& transkript) const {
    if (SprachEditing::istEditBefehl(transkript)) {
        std::optional<QString> bearbeitet;
        try {
            bearbeitet = editiereAuswahl(transkript);
        } catch (const std::exception& fehler) {
            return w_.dienstFehler(fehler);
        }
        if (bearbeitet) {
            return PipelineErgebnis::geliefert(*bearbeitet, u"Bearbeitung"_s, true, transkript);
        }
    }
    if (Aktionen::istAntwortAnfrage(transkript)) {
        return AntwortLauf(w_).fuehreAus(transkript);
    }
    return bereinige(transkript);
}

PipelineErgebnis DiktatLauf::bereinige(const QString& transkript) const {
    const Lauf& lauf = w_.lauf();
    QString ergebnis;
    try {
        const QString system = CleanupPrompt::baue(lauf.einstellungen.cleanup,
                                                   lauf.vordergrundBundle.value_or(QString()));
        ergebnis = w_.chatte(system, transkript);
    } catch (const std::exception& fehler) {
        return w_.dienstFehler(fehler);
    }
    const std::chrono::duration<double> dauer = w_.dienste().jetzt() - lauf.stopZeit;
    const QString dienst = lauf.einstellungen.dsgvoModus ? u"EU/Mistral"_s : u"Groq"_s;
    log().schreibe(u"⏱ "_s + dienst + u" Stop→Ergebnis "_s +
                   QString::asprintf("%.2f", dauer.count()) + u"s; "_s +
                   QString::number(anzahlZeichen(ergebnis)) + u" Zeichen"_s);
    return PipelineErgebnis::geliefert(ergebnis, u"Diktat"_s, true, transkript);
}

std::optional<QString> DiktatLauf::editiereAuswahl(const QString& befehl) const {
    // Only a selection: rewriting a whole field that the user did not mark would replace
    // more than they meant.
    const PipelineDienste& d = w_.dienste();
    QString auswahl = w_.amDesktop([&d] { return d.axKontext.auswahl(); });
    if (auswahl.isEmpty()) {
        auswahl = w_.amDesktop([&d] { return d.auswahl.auswahlText(); });
    }
    if (auswahl.trimmed().isEmpty()) {
        return std::nullopt;
    }
    log().schreibe(u"✏️ Sprach-Editing: Auswahl "_s + QString::number(anzahlZeichen(auswahl)) +
                   u" Z. → „"_s + ersteZeichen(befehl, 40) + u"\""_s);
    return w_.chatte(AktionsPrompts::auswahlEdit(), GroqChat::aktionsNutzer(befehl, auswahl));
}

} // namespace parlix
