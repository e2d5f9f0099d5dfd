#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/ui/Texte.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <condition_variable>

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

bool AufnahmeCoordinator::abgebrochen(const Lauf& lauf) const {
    return abgebrochen_.load() || lauf.stop.stop_requested();
}

bool AufnahmeCoordinator::fuehreAufMainAus(const Lauf& lauf, std::function<void()> schritt) {
    struct Uebergabe {
        std::mutex sperre;
        std::condition_variable_any erledigt;
        bool fertig = false;
        bool gelaufen = false;
    };
    auto uebergabe = std::make_shared<Uebergabe>();
    // The step may refer to the waiting thread's locals. It runs only while that thread
    // still waits: cancelling happens on the main thread, so a step that has seen no stop
    // request finishes before the wait can end.
    d_.mainQueue.post(
        [uebergabe, selbst = weak_from_this(), stop = lauf.stop, schritt = std::move(schritt)] {
            bool gelaufen = false;
            if (const auto c = selbst.lock(); c && !stop.stop_requested()) {
                schritt();
                gelaufen = true;
            }
            {
                std::lock_guard sperre(uebergabe->sperre);
                uebergabe->fertig = true;
                uebergabe->gelaufen = gelaufen;
            }
            uebergabe->erledigt.notify_all();
        });
    std::unique_lock sperre(uebergabe->sperre);
    uebergabe->erledigt.wait(sperre, lauf.stop, [&] { return uebergabe->fertig; });
    return uebergabe->gelaufen;
}

void AufnahmeCoordinator::beendeAufMain(const Lauf& lauf, const QString& text, const QString& art,
                                        bool einfuegen, const std::optional<QString>& gesagt) {
    aufMain(lauf, [&] { beende(text, art, einfuegen, gesagt); });
}

void AufnahmeCoordinator::meldeFehler(const Lauf& lauf, const QString& key,
                                      const QString& logZeile) {
    const QString text = lokalisiert(key);
    aufMain(lauf, [&] {
        if (!logZeile.isEmpty()) {
            log().schreibe(logZeile);
        }
        zeigeFehler(text);
    });
}

void AufnahmeCoordinator::meldeDienstFehler(const Lauf& lauf, const std::exception& fehler) {
    if (abgebrochen(lauf)) {
        return;
    }
    const auto* groq = dynamic_cast<const GroqFehler*>(&fehler);
    const QString logZeile = u"FEHLER: Groq fehlgeschlagen: "_s + QString::fromUtf8(fehler.what());
    if (const std::optional<QString> lokal = lokalesBackendFehlt()) {
        // Parlix's own server does not answer: say that, not "failed".
        meldeFehler(lauf, *lokal, logZeile);
    } else if (groq != nullptr && groq->fall() == GroqFehler::Fall::keinKey) {
        meldeFehler(lauf, u"fehler.keinKey"_s);
    } else if (groq != nullptr && ohneAnbieter(*groq)) {
        // Say what is missing instead of "failed".
        meldeFehler(lauf, u"fehler.keinAnbieter"_s, logZeile);
    } else {
        meldeFehler(lauf, u"fehler.groq"_s, logZeile);
    }
}

QString AufnahmeCoordinator::lokalisiert(const QString& key) const {
    return Texte(d_.speicher).text(key);
}

GroqKonfiguration AufnahmeCoordinator::konfiguration() const {
    return GroqKonfiguration::ausEinstellungen(d_.speicher);
}

GroqVerbindung AufnahmeCoordinator::verbindung(GroqKonfiguration konfig) const {
    return GroqVerbindung(std::move(konfig), d_.http);
}

QString AufnahmeCoordinator::chatte(const Lauf& lauf, const QString& system,
                                    const QString& nutzer) const {
    const GroqChat chat(verbindung(konfiguration()));
    return chat.fuehreAus(system, nutzer, std::nullopt, 0.2, u"low"_s, lauf.stop);
}

std::optional<QString> AufnahmeCoordinator::chatteOderMelde(const Lauf& lauf, const QString& system,
                                                            const QString& nutzer,
                                                            const QString& key,
                                                            const QString& logPraefix) {
    try {
        return chatte(lauf, system, nutzer);
    } catch (const std::exception& fehler) {
        meldeFehler(lauf, key,
                    logPraefix.isEmpty() ? QString()
                                         : logPraefix + QString::fromUtf8(fehler.what()));
        return std::nullopt;
    }
}

} // namespace parlix
