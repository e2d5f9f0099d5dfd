#pragma once

#include "app/maintenance/UpdateErgebnis.hpp"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace parlix {

// Keeps update checks from running two at once (the automatic one and the settings
// window's may meet): a caller that comes while a check runs waits for it and gets its
// outcome instead of starting a second one.
class EinzelLauf {
public:
    UpdateErgebnis fuehreAus(const std::function<UpdateErgebnis()>& pruefung);

private:
    void beende(UpdateErgebnis ergebnis);

    std::mutex sperre_;
    std::condition_variable fertig_;
    bool laeuft_ = false;
    std::uint64_t runde_ = 0;
    UpdateErgebnis letztes_ = UpdateErgebnis::fehler;
};

} // namespace parlix
