#include "tests/support/FakeTastenQuelle.hpp"

namespace parlix::test {

FakeTastenQuelle::FakeTastenQuelle(std::vector<Ereignis> ereignisse, bool erstellbar)
    : ereignisse_(std::move(ereignisse))
    , erstellbar_(erstellbar) {}

void FakeTastenQuelle::starte(Behandler behandler, Bereit bereit) {
    thread_ = std::thread([this, behandler = std::move(behandler), bereit = std::move(bereit)] {
        eigenerThread_ = std::this_thread::get_id();
        bereit(erstellbar_);
        if (!erstellbar_) {
            return;
        }
        for (const Ereignis& e : ereignisse_) {
            antworten_.push_back(behandler(e.typ, e.keyCode, e.flags));
        }
        zugestellt_ = true;
    });
}

void FakeTastenQuelle::aktiviereWieder() {
    ++reaktivierungen_;
    nurAufEigenemThread_ = nurAufEigenemThread_ && std::this_thread::get_id() == eigenerThread_;
}

void FakeTastenQuelle::warteAufEnde() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace parlix::test
