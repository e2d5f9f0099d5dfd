#include "app/coordinator/pipeline/VisionLauf.hpp"

#include "app/platform/FensterFoto.hpp"
#include "app/platform/Texterkennung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/AktionsPrompts.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

PipelineErgebnis VisionLauf::fuehreAus(const QString& instruktion, const QString& befehl,
                                       bool direkt) const {
    const QString antwort =
        w_.frageVision(AktionsPrompts::visionAktion(), u"ANWEISUNG: "_s + instruktion)
            .value_or(QString());
    if (w_.abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    if (!antwort.isEmpty()) {
        return PipelineErgebnis::geliefert(antwort, u"Aktion"_s, direkt, befehl);
    }
    log().schreibe(u"Vision-Aktion fehlgeschlagen → OCR-Fallback"_s);
    // A screenshot of its own: the window may have changed during the vision call.
    const PipelineDienste& d = w_.dienste();
    const std::optional<QByteArray> bild =
        w_.amDesktop([&d] { return d.fensterFoto.fensterScreenshot(); });
    const QString text = bild ? d.texterkennung.ocr(*bild) : QString();
    if (text.isEmpty()) {
        return PipelineErgebnis::fehler(u"fehler.keinText"_s);
    }
    return w_.chatteOderFehler(AktionsPrompts::aktion(), GroqChat::aktionsNutzer(instruktion, text),
                               PipelineErgebnis::geliefert({}, u"Aktion"_s, direkt, befehl),
                               u"fehler.aktion"_s);
}

} // namespace parlix
