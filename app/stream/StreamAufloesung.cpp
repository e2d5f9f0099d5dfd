#include "app/stream/StreamAufloesung.hpp"

namespace parlix {

void StreamAufloesung::haengeAn(const QString& teil) {
    std::lock_guard lock(sperre_);
    voll_ += teil;
}

QString StreamAufloesung::voll() const {
    std::lock_guard lock(sperre_);
    return voll_;
}

void StreamAufloesung::loese(const std::optional<QString>& transkript) {
    std::lock_guard lock(sperre_);
    loeseGesperrt(transkript);
}

void StreamAufloesung::loeseMitVoll() {
    std::lock_guard lock(sperre_);
    loeseGesperrt(vollOderNichts());
}

std::optional<QString> StreamAufloesung::warte(std::chrono::nanoseconds limit, std::stop_token stop,
                                               const std::function<void()>& davor) {
    std::unique_lock lock(sperre_);
    const bool schonBeendet = beendet_;
    if (davor) {
        lock.unlock();
        davor();
        lock.lock();
    }
    if (schonBeendet) {
        return vollOderNichts();
    }
    aufgeloest_.wait_for(lock, stop, limit, [this] { return beendet_; });
    if (!beendet_) {
        loeseGesperrt(stop.stop_requested() ? std::nullopt : vollOderNichts());
    }
    return ergebnis_;
}

void StreamAufloesung::loeseGesperrt(const std::optional<QString>& transkript) {
    if (beendet_) {
        return;
    }
    beendet_ = true;
    ergebnis_ = transkript;
    aufgeloest_.notify_all();
}

std::optional<QString> StreamAufloesung::vollOderNichts() const {
    return voll_.isEmpty() ? std::nullopt : std::optional(voll_);
}

} // namespace parlix
