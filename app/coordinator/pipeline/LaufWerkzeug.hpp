#pragma once

#include "app/coordinator/Lauf.hpp"
#include "app/coordinator/pipeline/PipelineDienste.hpp"
#include "app/coordinator/pipeline/PipelineErgebnis.hpp"
#include "core/services/GroqKonfiguration.hpp"

#include <QByteArray>
#include <QString>
#include <exception>
#include <optional>
#include <type_traits>

namespace parlix {

class GroqVerbindung;

// What every kind of run uses, bound to one run: the service calls with the run's
// settings, the reads of the user's screen, and the errors that failures end in.
// Pipeline thread.
class LaufWerkzeug {
public:
    LaufWerkzeug(const PipelineDienste& dienste, const Lauf& lauf)
        : dienste_(dienste)
        , lauf_(lauf) {}

    const PipelineDienste& dienste() const { return dienste_; }
    const Lauf& lauf() const { return lauf_; }
    // Whether the run was cancelled; every step after a wait checks it.
    bool abgebrochen() const { return lauf_.stop.stop_requested(); }

    // Runs a step that touches the desktop (a keystroke, the clipboard, the screen) only
    // while the run is not cancelled: the user may already be typing elsewhere. A
    // cancelled run gets the empty result.
    template <class Schritt> auto amDesktop(Schritt&& schritt) const {
        using Ergebnis = std::invoke_result_t<Schritt&>;
        return abgebrochen() ? Ergebnis{} : schritt();
    }
    // The focused element's text, else the selection by copy; "" when there is neither.
    QString textKontext() const;

    // The configuration of a service call: the run's settings with the sign-in and the
    // backend of the moment (it may still be starting, or have started again).
    GroqKonfiguration konfiguration() const;
    // A connection over the shared client with that configuration.
    GroqVerbindung verbindung() const;
    // One chat call: the configured model, temperature 0.2, reasoning effort "low".
    // Throws what GroqChat throws.
    QString chatte(const QString& system, const QString& nutzer) const;
    // chatte for the action, reply and prompt calls: `ziel` with the answer as its text,
    // or the error `key` (logged as logPraefix + the failure, if given).
    PipelineErgebnis chatteOderFehler(const QString& system, const QString& nutzer,
                                      PipelineErgebnis ziel, const QString& key,
                                      const QString& logPraefix = {}) const;
    // One vision call on a fresh screenshot; nothing on any failure.
    std::optional<QString> frageVision(const QString& system, const QString& nutzer) const;

    // The dictation's reaction to a failed service call: "fehler.keinKey" without a log
    // line for missing credentials, else the logged failure and "fehler.keinAnbieter" for
    // a backend that has no provider for the request or "fehler.groq". Nothing once the
    // run is cancelled (the cancelled request is no failure).
    PipelineErgebnis dienstFehler(const std::exception& fehler) const;

private:
    const PipelineDienste& dienste_;
    const Lauf& lauf_;
};

} // namespace parlix
