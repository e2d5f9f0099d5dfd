#include "server/Rueckweg.hpp"

namespace parlix {

void Rueckweg::poste(std::function<void()> auftrag) {
    std::lock_guard lock(sperre_);
    if (ziel_ != nullptr) {
        QMetaObject::invokeMethod(ziel_, std::move(auftrag), Qt::QueuedConnection);
    }
}

void Rueckweg::trenne() {
    std::lock_guard lock(sperre_);
    ziel_ = nullptr;
}

} // namespace parlix
