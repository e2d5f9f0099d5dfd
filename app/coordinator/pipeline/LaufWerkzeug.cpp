#include "app/coordinator/pipeline/LaufWerkzeug.hpp"

#include "app/platform/AXKontext.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/FensterFoto.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"
#include "core/services/GroqVerbindung.hpp"
#include "core/services/GroqVision.hpp"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The backend answered that it has no provider for the request ("grund" "keinAnbieter",
// status 503), as opposed to a failure or a busy provider.
bool ohneAnbieter(const GroqFehler& fehler) {
    return fehler.fall() == GroqFehler::Fall::http && fehler.status() == 503 &&
           QJsonDocument::fromJson(fehler.text().toUtf8()).object().value(u"grund") ==
               u"keinAnbieter"_s;
}

} // namespace

QString LaufWerkzeug::textKontext() const {
    const QString text = amDesktop([this] { return dienste_.axKontext.text(); });
    return text.isEmpty() ? amDesktop([this] { return dienste_.auswahl.auswahlText(); }) : text;
}

GroqKonfiguration LaufWerkzeug::konfiguration() const {
    return GroqKonfiguration::aus(lauf_.einstellungen.proxyURL, lauf_.einstellungen.dsgvoModus);
}

GroqVerbindung LaufWerkzeug::verbindung() const {
    return GroqVerbindung(konfiguration(), dienste_.http);
}

QString LaufWerkzeug::chatte(const QString& system, const QString& nutzer) const {
    const GroqChat chat(verbindung());
    return chat.fuehreAus(system, nutzer, std::nullopt, 0.2, u"low"_s, lauf_.stop);
}

PipelineErgebnis LaufWerkzeug::chatteOderFehler(const QString& system, const QString& nutzer,
                                                PipelineErgebnis ziel, const QString& key,
                                                const QString& logPraefix) const {
    try {
        ziel.text = chatte(system, nutzer);
        return ziel;
    } catch (const std::exception& fehler) {
        return PipelineErgebnis::fehler(
            key, logPraefix.isEmpty() ? QString() : logPraefix + QString::fromUtf8(fehler.what()));
    }
}

std::optional<QString> LaufWerkzeug::frageVision(const QString& system,
                                                 const QString& nutzer) const {
    const std::optional<QByteArray> png =
        amDesktop([this] { return dienste_.fensterFoto.fensterScreenshot(); });
    if (!png || png->isEmpty()) {
        return std::nullopt;
    }
    GroqKonfiguration konfig = konfiguration();
    // Only the Mistral relay answers questions about images, whatever the
    // data-protection setting chose for the other calls.
    konfig.backend = u"mistral"_s;
    try {
        return GroqVision(GroqVerbindung(std::move(konfig), dienste_.http))
            .frage(system, nutzer, *png, lauf_.stop);
    } catch (const std::exception& fehler) {
        // A request cut off by a cancel is no failure.
        if (!abgebrochen()) {
            log().schreibe(u"FEHLER: Vision-Call fehlgeschlagen: "_s +
                           QString::fromUtf8(fehler.what()));
        }
        return std::nullopt;
    }
}

PipelineErgebnis LaufWerkzeug::dienstFehler(const std::exception& fehler) const {
    if (abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    const auto* groq = dynamic_cast<const GroqFehler*>(&fehler);
    const QString logZeile = u"FEHLER: Groq fehlgeschlagen: "_s + QString::fromUtf8(fehler.what());
    if (const std::optional<QString> lokal = lokalesBackendFehlt()) {
        // Parlix's own server does not answer: say that, not "failed".
        return PipelineErgebnis::fehler(*lokal, logZeile);
    }
    if (groq != nullptr && groq->fall() == GroqFehler::Fall::keinKey) {
        return PipelineErgebnis::fehler(u"fehler.keinKey"_s);
    }
    if (groq != nullptr && ohneAnbieter(*groq)) {
        // Say what is missing instead of "failed".
        return PipelineErgebnis::fehler(u"fehler.keinAnbieter"_s, logZeile);
    }
    return PipelineErgebnis::fehler(u"fehler.groq"_s, logZeile);
}

} // namespace parlix
