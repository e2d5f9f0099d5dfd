#include "app/coordinator/pipeline/AntwortLauf.hpp"

#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/Aktionen.hpp"
#include "core/text/AktionsPrompts.hpp"
#include "core/text/Zeichen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

PipelineErgebnis AntwortLauf::fuehreAus(const QString& befehl) const {
    const QString intent = Aktionen::antwortIntent(befehl);
    const QString nachricht = w_.textKontext();
    if (w_.abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    log().schreibe(u"Antwort-Modus: Nachricht "_s + QString::number(anzahlZeichen(nachricht)) +
                   u" Z., Absicht „"_s + intent + u"\""_s);
    if (nachricht.isEmpty()) {
        return ausScreenshot(intent, befehl);
    }
    // A reply is never sent on its own: it waits in the panel for the user to review.
    return w_.chatteOderFehler(
        AktionsPrompts::antwort(), GroqChat::aktionsNutzer(intent, nachricht),
        PipelineErgebnis::geliefert({}, u"Antwort"_s, false, befehl), u"fehler.antwort"_s);
}

PipelineErgebnis AntwortLauf::ausScreenshot(const QString& intent, const QString& befehl) const {
    log().schreibe(u"Antwort-Vision: Screenshot → Mistral-Vision"_s);
    const QString antwort = w_.frageVision(AktionsPrompts::antwortAusScreenshot(intent),
                                           u"Antworte auf die letzte Nachricht im Screenshot."_s)
                                .value_or(QString());
    if (antwort.isEmpty()) {
        return PipelineErgebnis::fehler(u"fehler.keineNachricht"_s);
    }
    return PipelineErgebnis::geliefert(antwort, u"Antwort"_s, false, befehl);
}

} // namespace parlix
