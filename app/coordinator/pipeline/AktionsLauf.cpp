#include "app/coordinator/pipeline/AktionsLauf.hpp"

#include "app/coordinator/pipeline/AntwortLauf.hpp"
#include "app/coordinator/pipeline/VisionLauf.hpp"
#include "app/platform/BrowserText.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/text/Aktionen.hpp"
#include "core/text/AktionsPrompts.hpp"
#include "core/text/Browser.hpp"
#include "core/text/Zeichen.hpp"
#include "core/util/Finde.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

void logKontext(const QString& quelle, const QString& kontext) {
    log().schreibe(quelle + QString::number(anzahlZeichen(kontext)) + u" Zeichen"_s);
}

} // namespace

PipelineErgebnis AktionsLauf::fuehreAus(const QString& befehl) const {
    log().schreibe(u"Aktion-Befehl: "_s + befehl);
    if (w_.lauf().modus == Aufnahmemodus::promptModus) {
        return prompt(befehl);
    }
    if (Aktionen::istAntwortAnfrage(befehl)) {
        return AntwortLauf(w_).fuehreAus(befehl);
    }
    const std::optional<Befehl> eigener = findeErstes(
        w_.lauf().einstellungen.befehle, [&](const Befehl& b) { return b.passt(befehl); });
    const QString instruktion = eigener ? eigener->prompt : befehl;
    if (eigener) {
        log().schreibe(u"Eigener Befehl erkannt → "_s + ersteZeichen(instruktion, 60));
    }
    // What the screen shows is answered in the panel, whatever a command says.
    if (Aktionen::willScreenshot(befehl)) {
        return VisionLauf(w_).fuehreAus(instruktion, befehl, false);
    }
    const bool direkt = eigener ? eigener->direktEinfuegen : Aktionen::direktHeuristik(befehl);
    const std::optional<QString> text = kontext(befehl);
    if (w_.abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    if (!text) {
        log().schreibe(u"Kein Text-Kontext → Vision-Fallback"_s);
        return VisionLauf(w_).fuehreAus(instruktion, befehl, direkt);
    }
    return w_.chatteOderFehler(AktionsPrompts::aktion(),
                               GroqChat::aktionsNutzer(instruktion, *text),
                               PipelineErgebnis::geliefert({}, u"Aktion"_s, direkt, befehl),
                               u"fehler.aktion"_s, u"FEHLER: Aktion fehlgeschlagen: "_s);
}

PipelineErgebnis AktionsLauf::prompt(const QString& befehl) const {
    log().schreibe(u"Prompt-Modus (Groq)"_s);
    return w_.chatteOderFehler(AktionsPrompts::promptModus(), befehl,
                               PipelineErgebnis::geliefert({}, u"Prompt"_s, true, befehl),
                               u"fehler.prompt"_s);
}

std::optional<QString> AktionsLauf::kontext(const QString& befehl) const {
    // The application that was in front at the start decides; the page is read from
    // whatever is in front now, which gives "" unless that is a browser too.
    const bool browser = Browser::unterstuetzt(w_.lauf().vordergrundBundle);
    const auto seitentext = [this] {
        return w_.amDesktop([this] { return w_.dienste().browserText.seitentext(); });
    };
    QString kontext;
    if (browser && Aktionen::willSeite(befehl)) {
        kontext = seitentext();
        logKontext(u"Kontext aus Browser-Volltext: "_s, kontext);
    } else {
        kontext = w_.textKontext();
        logKontext(u"Kontext (AX/⌘C): "_s, kontext);
        if (kontext.isEmpty() && browser) {
            kontext = seitentext();
            logKontext(u"Kontext-Fallback Browser-Volltext: "_s, kontext);
        }
    }
    return kontext.isEmpty() ? std::nullopt : std::optional(kontext);
}

} // namespace parlix
