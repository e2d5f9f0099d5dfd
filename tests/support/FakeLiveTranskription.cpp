#include "tests/support/FakeLiveTranskription.hpp"

namespace parlix::test {

FakeLiveTranskription::FakeLiveTranskription(Aufrufe& aufrufe, bool startet,
                                             std::optional<QString> transkript, bool haelt)
    : aufrufe_(aufrufe)
    , startet_(startet)
    , transkript_(std::move(transkript))
    , haelt_(haelt) {}

bool FakeLiveTranskription::starte() {
    aufrufe_.notiere(QStringLiteral("stream.starte"));
    return startet_;
}

void FakeLiveTranskription::sende(const QByteArray& chunk) {
    std::lock_guard sperre(sperre_);
    gesendet_.append(chunk);
}

std::optional<QString> FakeLiveTranskription::beende(std::stop_token stop) {
    aufrufe_.notiere(QStringLiteral("stream.beende"));
    std::unique_lock sperre(sperre_);
    wartet_ = true;
    freigabe_.wait(sperre, stop, [&] { return !haelt_ || abgebrochen_; });
    wartet_ = false;
    if (abgebrochen_ || stop.stop_requested()) {
        return std::nullopt;
    }
    return transkript_;
}

void FakeLiveTranskription::abbrechen() {
    aufrufe_.notiere(QStringLiteral("stream.abbrechen"));
    {
        std::lock_guard sperre(sperre_);
        abgebrochen_ = true;
    }
    freigabe_.notify_all();
}

void FakeLiveTranskription::loslassen() {
    {
        std::lock_guard sperre(sperre_);
        haelt_ = false;
    }
    freigabe_.notify_all();
}

bool FakeLiveTranskription::wartet() const {
    std::lock_guard sperre(sperre_);
    return wartet_;
}

QList<QByteArray> FakeLiveTranskription::gesendet() const {
    std::lock_guard sperre(sperre_);
    return gesendet_;
}

} // namespace parlix::test
