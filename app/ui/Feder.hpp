#pragma once

namespace parlix {

// A critically damped-ish spring that moves a value towards its target, the way
// interface animations settle: `antwort` is the period of the undamped oscillation in
// seconds, `daempfung` the damping ratio (1 = no overshoot).
struct Feder {
    double wert = 0.0;
    double ziel = 0.0;
    double tempo = 0.0;
    double antwort = 0.42;
    double daempfung = 0.78;

    // Advances the spring by `dt` seconds.
    void schritt(double dt);
    // Close enough to the target and slow enough to stop animating.
    bool ruht() const;
    // Jumps to the target.
    void setze(double neu);
};

} // namespace parlix
