#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>

namespace parlix {

// How one stream ends: resolved exactly once, with a transcript or with nothing, by
// whichever comes first (final, server error, lost connection, cancel, timeout); later
// resolutions change nothing. Partial texts collect in `voll` before and after. Safe
// from any thread, and a waiting `warte` depends on no event loop, so the thread that
// detects the outcome hands it over directly.
class StreamAufloesung {
public:
    // Appends a partial text (no separator).
    void haengeAn(const QString& teil);
    // The partial texts so far.
    QString voll() const;
    void loese(const std::optional<QString>& transkript);
    // Resolves with `voll`, or with nothing while it is empty.
    void loeseMitVoll();

    // Blocks until the first resolution and returns what it delivered. After `limit`
    // it resolves with `voll` (or nothing); when `stop` is requested, with nothing.
    // Called after the resolution, it returns `voll` (or nothing) at once. `davor` runs
    // (without the lock) once the call counts as waiting and before it waits, so that a
    // resolution it provokes is always handed to this call.
    std::optional<QString> warte(std::chrono::nanoseconds limit, std::stop_token stop,
                                 const std::function<void()>& davor = {});

private:
    // Under the lock.
    void loeseGesperrt(const std::optional<QString>& transkript);
    std::optional<QString> vollOderNichts() const;

    mutable std::mutex sperre_;
    std::condition_variable_any aufgeloest_;
    QString voll_;
    bool beendet_ = false;
    std::optional<QString> ergebnis_;
};

} // namespace parlix
