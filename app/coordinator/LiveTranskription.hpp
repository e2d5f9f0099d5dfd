#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace parlix {

// The live transcription of one recording while it is spoken (the streaming client).
// One object per recording. A stream that fails never surfaces: the recording is then
// transcribed as a whole afterwards.
class LiveTranskription {
public:
    using Delta = std::function<void(const QString& bisher)>;

    virtual ~LiveTranskription() = default;

    // Set before starte(): receives the whole text so far after each partial text, on
    // the main thread.
    Delta onDelta;

    // Opens the connection without waiting for it; false when it cannot even be tried.
    // Main thread.
    virtual bool starte() = 0;
    // Sends one captured chunk unchanged while the connection is open. Capture thread;
    // returns at once.
    virtual void sende(const QByteArray& chunk) = 0;
    // Sends the end marker and waits for the final transcript, at most 6 s; nothing when
    // the stream gave none. Returns nothing at once when `stop` is requested. Pipeline
    // thread.
    virtual std::optional<QString> beende(std::stop_token stop) = 0;
    // Closes the connection; a waiting beende() returns nothing. Main thread.
    virtual void abbrechen() = 0;
};

// Creates the stream of a new recording.
using LiveTranskriptionFabrik = std::function<std::shared_ptr<LiveTranskription>()>;

} // namespace parlix
