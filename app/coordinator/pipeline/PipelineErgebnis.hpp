#pragma once

#include <QString>
#include <optional>

namespace parlix {

// What a run of the pipeline comes to: a result to deliver, an error to show, or nothing
// because the run was cancelled.
struct PipelineErgebnis {
    enum class Fall { geliefert, fehler, abgebrochen };

    Fall fall = Fall::abgebrochen;
    // geliefert: the text, its kind in the history ("Diktat", "Aktion", ...), whether it is
    // pasted (else it goes to the history panel) and what the user said.
    QString text;
    QString art;
    bool einfuegen = false;
    std::optional<QString> gesagt;
    // fehler: the localisation key of the message, and a line to log before it is shown
    // (empty for none).
    QString fehlerKey;
    QString logZeile;

    static PipelineErgebnis geliefert(QString text, QString art, bool einfuegen,
                                      std::optional<QString> gesagt) {
        return {
            Fall::geliefert, std::move(text), std::move(art), einfuegen, std::move(gesagt), {}, {}};
    }
    static PipelineErgebnis fehler(QString key, QString logZeile = {}) {
        return {Fall::fehler, {}, {}, false, std::nullopt, std::move(key), std::move(logZeile)};
    }
    static PipelineErgebnis abgebrochen() { return {}; }
};

} // namespace parlix
