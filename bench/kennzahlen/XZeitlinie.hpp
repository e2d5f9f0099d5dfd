#pragma once

#include <QString>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace parlix::bench {

// What the X server does during one dictation, watched through the RECORD extension on a
// connection of its own: keys as the server sees them, selection requests delivered to
// their owner, and the events a client sends (the owner's answer). Each step carries the
// moment this program received it.
class XZeitlinie {
public:
    using Uhr = std::chrono::steady_clock;

    enum class Art { tasteGedrueckt, tasteLosgelassen, auswahlAnfrage, auswahlAntwort };

    struct Schritt {
        Art art;
        Uhr::time_point zeit;
        bool modifikator = false; // for keys: Shift, Control and the like
    };

    explicit XZeitlinie(const QString& anzeige);
    ~XZeitlinie();
    XZeitlinie(const XZeitlinie&) = delete;
    XZeitlinie& operator=(const XZeitlinie&) = delete;

    // Empty when the watch runs; else why not.
    QString fehler() const { return fehler_; }

    // Forgets the steps so far.
    void leere();
    // The first step of `art` at or after `ab` (keys: only non-modifiers, unless
    // `modifikator`), waiting up to `frist`.
    std::optional<Uhr::time_point> erster(Art art, Uhr::time_point ab, bool modifikator,
                                          std::chrono::milliseconds frist);

private:
    struct Verbindungen;

    void nimm(const Schritt& schritt);

    std::unique_ptr<Verbindungen> x_;
    std::mutex sperre_;
    std::vector<Schritt> schritte_;
    QString fehler_;
    std::thread faden_;
};

} // namespace parlix::bench
