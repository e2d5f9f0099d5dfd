#include "tests/support/MitlesendeQuelle.hpp"

namespace parlix::test {

void MitlesendeQuelle::starte(Behandler behandler, Bereit bereit) {
    quelle_->starte(
        [this, behandler = std::move(behandler)](quint32 typ, qint64 keyCode, quint64 flags) {
            const bool schlucken = behandler(typ, keyCode, flags);
            std::lock_guard lock(sperre_);
            ereignisse_.push_back({typ, keyCode, flags});
            neu_.notify_all();
            return schlucken;
        },
        [this, bereit = std::move(bereit)](bool erstellt) {
            {
                std::lock_guard lock(sperre_);
                faden_ = pthread_self();
            }
            bereit(erstellt);
        });
}

std::vector<MitlesendeQuelle::Ereignis> MitlesendeQuelle::ereignisse() const {
    std::lock_guard lock(sperre_);
    return ereignisse_;
}

bool MitlesendeQuelle::warteAufMehrAls(std::size_t anzahl, std::chrono::milliseconds frist) {
    std::unique_lock lock(sperre_);
    return neu_.wait_for(lock, frist, [&] { return ereignisse_.size() > anzahl; });
}

std::optional<pthread_t> MitlesendeQuelle::faden() const {
    std::lock_guard lock(sperre_);
    return faden_;
}

} // namespace parlix::test
