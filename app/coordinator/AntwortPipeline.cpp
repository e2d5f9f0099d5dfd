#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/Aktionen.hpp"
#include "core/text/AktionsPrompts.hpp"
#include "core/text/Zeichen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

void AufnahmeCoordinator::verarbeiteAntwort(const Lauf& lauf, const QString& befehl) {
    const QString intent = Aktionen::antwortIntent(befehl);
    const QString nachricht = textKontext(lauf);
    if (abgebrochen(lauf)) {
        return;
    }
    log().schreibe(u"Antwort-Modus: Nachricht "_s + QString::number(anzahlZeichen(nachricht)) +
                   u" Z., Absicht „"_s + intent + u"\""_s);
    if (nachricht.isEmpty()) {
        verarbeiteAntwortVision(lauf, intent, befehl);
        return;
    }
    const std::optional<QString> antwort =
        chatteOderMelde(lauf, AktionsPrompts::antwort(), GroqChat::aktionsNutzer(intent, nachricht),
                        u"fehler.antwort"_s);
    // A reply is never sent on its own: it waits in the panel for the user to review.
    if (antwort) {
        beendeAufMain(lauf, *antwort, u"Antwort"_s, false, befehl);
    }
}

void AufnahmeCoordinator::verarbeiteAntwortVision(const Lauf& lauf, const QString& intent,
                                                  const QString& befehl) {
    log().schreibe(u"Antwort-Vision: Screenshot → Mistral-Vision"_s);
    const QString antwort = frageVision(lauf, AktionsPrompts::antwortAusScreenshot(intent),
                                        u"Antworte auf die letzte Nachricht im Screenshot."_s)
                                .value_or(QString());
    if (antwort.isEmpty()) {
        meldeFehler(lauf, u"fehler.keineNachricht"_s);
        return;
    }
    beendeAufMain(lauf, antwort, u"Antwort"_s, false, befehl);
}

} // namespace parlix
