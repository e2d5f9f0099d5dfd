#pragma once

#include "app/coordinator/pipeline/LaufWerkzeug.hpp"

namespace parlix {

// A reply to the message the user is looking at, read from the focused field or, when
// there is none, from a screenshot. The reply waits in the history panel. Pipeline
// thread.
class AntwortLauf {
public:
    explicit AntwortLauf(const LaufWerkzeug& werkzeug)
        : w_(werkzeug) {}

    PipelineErgebnis fuehreAus(const QString& befehl) const;

private:
    PipelineErgebnis ausScreenshot(const QString& intent, const QString& befehl) const;

    const LaufWerkzeug& w_;
};

} // namespace parlix
