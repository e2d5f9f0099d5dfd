#pragma once

#include "app/coordinator/pipeline/LaufWerkzeug.hpp"

namespace parlix {

// A dictation: a voice edit of the selection, a reply, or the transcript cleaned up for
// the application it goes into. Pipeline thread.
class DiktatLauf {
public:
    explicit DiktatLauf(const LaufWerkzeug& werkzeug)
        : w_(werkzeug) {}

    PipelineErgebnis fuehreAus(const QString& transkript) const;

private:
    PipelineErgebnis bereinige(const QString& transkript) const;
    // The rewritten selection; nothing when nothing is selected. Throws chat errors.
    std::optional<QString> editiereAuswahl(const QString& befehl) const;

    const LaufWerkzeug& w_;
};

} // namespace parlix
