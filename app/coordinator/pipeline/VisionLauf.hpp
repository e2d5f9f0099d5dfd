#pragma once

#include "app/coordinator/pipeline/LaufWerkzeug.hpp"

namespace parlix {

// An action on what the screen shows: the vision model answers from a screenshot; when
// it cannot, the chat model answers from the screenshot's recognised text. Pipeline
// thread.
class VisionLauf {
public:
    explicit VisionLauf(const LaufWerkzeug& werkzeug)
        : w_(werkzeug) {}

    // `befehl` is what the user said; `instruktion` what the model is told (a command's
    // prompt or the words themselves); `direkt`: the result is pasted.
    PipelineErgebnis fuehreAus(const QString& instruktion, const QString& befehl,
                               bool direkt) const;

private:
    const LaufWerkzeug& w_;
};

} // namespace parlix
