#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/platform/AXKontext.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/BrowserText.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqChat.hpp"
#include "core/settings/Einstellungen.hpp"
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

void AufnahmeCoordinator::verarbeiteAktion(const Lauf& lauf, const QString& befehl,
                                           Aufnahmemodus modus) {
    log().schreibe(u"Aktion-Befehl: "_s + befehl);
    if (modus == Aufnahmemodus::promptModus) {
        verarbeitePrompt(lauf, befehl);
        return;
    }
    if (Aktionen::istAntwortAnfrage(befehl)) {
        verarbeiteAntwort(lauf, befehl);
        return;
    }
    const QList<Befehl> befehle = Einstellungen(d_.speicher).befehle();
    const std::optional<Befehl> eigener =
        findeErstes(befehle, [&](const Befehl& b) { return b.passt(befehl); });
    const QString instruktion = eigener ? eigener->prompt : befehl;
    if (eigener) {
        log().schreibe(u"Eigener Befehl erkannt → "_s + ersteZeichen(instruktion, 60));
    }
    // What the screen shows is answered in the panel, whatever a command says.
    if (Aktionen::willScreenshot(befehl)) {
        fuehreVisionAktion(lauf, instruktion, befehl, false);
        return;
    }
    const bool direkt = eigener ? eigener->direktEinfuegen : Aktionen::direktHeuristik(befehl);
    const std::optional<QString> kontext = aktionsKontext(lauf, befehl);
    if (abgebrochen(lauf)) {
        return;
    }
    if (!kontext) {
        log().schreibe(u"Kein Text-Kontext → Vision-Fallback"_s);
        fuehreVisionAktion(lauf, instruktion, befehl, direkt);
        return;
    }
    const std::optional<QString> ergebnis = chatteOderMelde(
        lauf, AktionsPrompts::aktion(), GroqChat::aktionsNutzer(instruktion, *kontext),
        u"fehler.aktion"_s, u"FEHLER: Aktion fehlgeschlagen: "_s);
    if (ergebnis) {
        beendeAufMain(lauf, *ergebnis, u"Aktion"_s, direkt, befehl);
    }
}

void AufnahmeCoordinator::verarbeitePrompt(const Lauf& lauf, const QString& befehl) {
    log().schreibe(u"Prompt-Modus (Groq)"_s);
    const std::optional<QString> prompt =
        chatteOderMelde(lauf, AktionsPrompts::promptModus(), befehl, u"fehler.prompt"_s);
    if (prompt) {
        beendeAufMain(lauf, *prompt, u"Prompt"_s, true, befehl);
    }
}

std::optional<QString> AufnahmeCoordinator::aktionsKontext(const Lauf& lauf,
                                                           const QString& befehl) {
    // The application that was in front at the start decides; the page is read from
    // whatever is in front now, which gives "" unless that is a browser too.
    const bool browser = Browser::unterstuetzt(lauf.vordergrundBundle);
    const auto seitentext = [&] {
        return amDesktop(lauf, [this] { return d_.browserText.seitentext(); });
    };
    QString kontext;
    if (browser && Aktionen::willSeite(befehl)) {
        kontext = seitentext();
        logKontext(u"Kontext aus Browser-Volltext: "_s, kontext);
    } else {
        kontext = textKontext(lauf);
        logKontext(u"Kontext (AX/⌘C): "_s, kontext);
        if (kontext.isEmpty() && browser) {
            kontext = seitentext();
            logKontext(u"Kontext-Fallback Browser-Volltext: "_s, kontext);
        }
    }
    return kontext.isEmpty() ? std::nullopt : std::optional(kontext);
}

QString AufnahmeCoordinator::textKontext(const Lauf& lauf) {
    const QString text = amDesktop(lauf, [this] { return d_.axKontext.text(); });
    return text.isEmpty() ? amDesktop(lauf, [this] { return d_.auswahl.auswahlText(); }) : text;
}

} // namespace parlix
