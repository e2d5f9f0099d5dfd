#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/platform/FensterFoto.hpp"
#include "app/platform/Texterkennung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/services/GroqVision.hpp"
#include "core/text/AktionsPrompts.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

void AufnahmeCoordinator::fuehreVisionAktion(const Lauf& lauf, const QString& instruktion,
                                             const QString& befehl, bool direkt) {
    const QString antwort =
        frageVision(lauf, AktionsPrompts::visionAktion(), u"ANWEISUNG: "_s + instruktion)
            .value_or(QString());
    if (abgebrochen(lauf)) {
        return;
    }
    if (!antwort.isEmpty()) {
        beendeAufMain(lauf, antwort, u"Aktion"_s, direkt, befehl);
        return;
    }
    log().schreibe(u"Vision-Aktion fehlgeschlagen → OCR-Fallback"_s);
    // A screenshot of its own: the window may have changed during the vision call.
    const std::optional<QByteArray> bild =
        amDesktop(lauf, [this] { return d_.fensterFoto.fensterScreenshot(); });
    const QString text = bild ? d_.texterkennung.ocr(*bild) : QString();
    if (text.isEmpty()) {
        meldeFehler(lauf, u"fehler.keinText"_s);
        return;
    }
    const std::optional<QString> ergebnis =
        chatteOderMelde(lauf, AktionsPrompts::aktion(), GroqChat::aktionsNutzer(instruktion, text),
                        u"fehler.aktion"_s);
    if (ergebnis) {
        beendeAufMain(lauf, *ergebnis, u"Aktion"_s, direkt, befehl);
    }
}

std::optional<QString> AufnahmeCoordinator::frageVision(const Lauf& lauf, const QString& system,
                                                        const QString& nutzer) {
    const std::optional<QByteArray> png =
        amDesktop(lauf, [this] { return d_.fensterFoto.fensterScreenshot(); });
    if (!png || png->isEmpty()) {
        return std::nullopt;
    }
    GroqKonfiguration konfig = konfiguration();
    // Only the Mistral relay answers questions about images, whatever the
    // data-protection setting chose for the other calls.
    konfig.backend = u"mistral"_s;
    try {
        return GroqVision(verbindung(std::move(konfig))).frage(system, nutzer, *png, lauf.stop);
    } catch (const std::exception& fehler) {
        // A request cut off by a cancel is no failure.
        if (!abgebrochen(lauf)) {
            log().schreibe(u"FEHLER: Vision-Call fehlgeschlagen: "_s +
                           QString::fromUtf8(fehler.what()));
        }
        return std::nullopt;
    }
}

} // namespace parlix
