#include "app/ui/Feder.hpp"

#include <cmath>
#include <numbers>

namespace parlix {

void Feder::schritt(double dt) {
    const double omega = 2.0 * std::numbers::pi / antwort;
    // Small sub-steps keep the integration stable for any frame time.
    const int teile = static_cast<int>(std::ceil(dt / 0.004));
    const double h = dt / (teile > 0 ? teile : 1);
    for (int i = 0; i < teile; ++i) {
        const double beschleunigung =
            -omega * omega * (wert - ziel) - 2.0 * daempfung * omega * tempo;
        tempo += beschleunigung * h;
        wert += tempo * h;
    }
}

bool Feder::ruht() const {
    return std::abs(wert - ziel) < 0.002 && std::abs(tempo) < 0.01;
}

void Feder::setze(double neu) {
    wert = neu;
    ziel = neu;
    tempo = 0.0;
}

} // namespace parlix
