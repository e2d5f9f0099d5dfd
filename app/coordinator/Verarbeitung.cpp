#include "app/coordinator/Verarbeitung.hpp"

#include <algorithm>

namespace parlix {

Verarbeitung::~Verarbeitung() {
    beendeAlle();
}

void Verarbeitung::starte(Arbeit arbeit) {
    raeumeAuf();
    auto fertig = std::make_shared<std::atomic<bool>>(false);
    std::jthread faden([fertig, arbeit = std::move(arbeit)](std::stop_token stop) {
        arbeit(stop);
        fertig->store(true);
    });
    faeden_.push_back({std::move(fertig), std::move(faden)});
    aktuell_ = true;
}

void Verarbeitung::brichAb() {
    if (aktuell_) {
        faeden_.back().faden.request_stop();
        aktuell_ = false;
    }
}

void Verarbeitung::beendeAlle() {
    for (Faden& f : faeden_) {
        f.faden.request_stop();
    }
    faeden_.clear(); // joins
    aktuell_ = false;
}

void Verarbeitung::raeumeAuf() {
    // A finished thread has left its work; joining it returns at once.
    std::erase_if(faeden_, [](const Faden& f) { return f.fertig->load(); });
}

} // namespace parlix
