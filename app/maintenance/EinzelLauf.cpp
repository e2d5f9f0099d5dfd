#include "app/maintenance/EinzelLauf.hpp"

namespace parlix {

UpdateErgebnis EinzelLauf::fuehreAus(const std::function<UpdateErgebnis()>& pruefung) {
    {
        std::unique_lock lock(sperre_);
        if (laeuft_) {
            const std::uint64_t runde = runde_;
            fertig_.wait(lock, [&] { return runde_ != runde; });
            return letztes_;
        }
        laeuft_ = true;
    }
    try {
        const UpdateErgebnis ergebnis = pruefung();
        beende(ergebnis);
        return ergebnis;
    } catch (...) {
        // Those waiting must not wait forever for a check that did not end normally.
        beende(UpdateErgebnis::fehler);
        throw;
    }
}

void EinzelLauf::beende(UpdateErgebnis ergebnis) {
    std::lock_guard lock(sperre_);
    laeuft_ = false;
    ++runde_;
    letztes_ = ergebnis;
    fertig_.notify_all();
}

} // namespace parlix
