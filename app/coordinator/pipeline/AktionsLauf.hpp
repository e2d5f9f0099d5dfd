#pragma once

#include "app/coordinator/pipeline/LaufWerkzeug.hpp"

namespace parlix {

// A spoken instruction: in the prompt mode the dictation becomes a prompt; otherwise a
// reply, or the instruction (or the user's command it names) applied to the selected
// or focused text, the web page or, without any text, the screen. Pipeline thread.
class AktionsLauf {
public:
    explicit AktionsLauf(const LaufWerkzeug& werkzeug)
        : w_(werkzeug) {}

    PipelineErgebnis fuehreAus(const QString& befehl) const;

private:
    PipelineErgebnis prompt(const QString& befehl) const;
    // The text an action applies to; nothing when there is none anywhere.
    std::optional<QString> kontext(const QString& befehl) const;

    const LaufWerkzeug& w_;
};

} // namespace parlix
