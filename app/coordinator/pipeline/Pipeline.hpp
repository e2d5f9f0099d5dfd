#pragma once

#include "app/coordinator/Lauf.hpp"
#include "app/coordinator/pipeline/PipelineDienste.hpp"
#include "app/coordinator/pipeline/PipelineErgebnis.hpp"

#include <QByteArray>
#include <QString>
#include <optional>

namespace parlix {

class LaufWerkzeug;
class LiveTranskription;

// Turns a finished recording into what is delivered: the transcript (the stream's, else
// the batch transcription's), then by the run's mode a dictation or an action. Shows
// nothing and pastes nothing; the caller delivers the result.
//
// Threads: verarbeite runs on the run's own thread, straight-line and blocking, and may
// run for several runs at once; a cancelled run's stop token ends its requests and
// waits at once.
class Pipeline {
public:
    explicit Pipeline(PipelineDienste dienste)
        : dienste_(std::move(dienste)) {}

    // `pcm`: the recording, which holds speech; `strom`: its stream, or null.
    PipelineErgebnis verarbeite(const Lauf& lauf, const QByteArray& pcm,
                                LiveTranskription* strom) const;

private:
    // The batch transcription of the recording; an error when it fails or hears nothing.
    PipelineErgebnis transkribiere(const LaufWerkzeug& w, const QByteArray& pcm) const;
    PipelineErgebnis verarbeiteTranskript(const LaufWerkzeug& w, const QString& transkript) const;

    PipelineDienste dienste_;
};

} // namespace parlix
