#pragma once

#include "app/coordinator/LiveTranskription.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/Skriptwert.hpp"

#include <QList>
#include <condition_variable>
#include <mutex>

namespace parlix::test {

// A live stream with a scripted outcome. Records "stream.starte", "stream.beende" and
// "stream.abbrechen"; keeps the chunks it was sent. beende() answers `transkript` at
// once, or, while `haelt` is set, waits until loslassen(), abbrechen() or the stop token.
class FakeLiveTranskription final : public LiveTranskription {
public:
    FakeLiveTranskription(Aufrufe& aufrufe, bool startet, std::optional<QString> transkript,
                          bool haelt);

    bool starte() override;
    void sende(const QByteArray& chunk) override;
    std::optional<QString> beende(std::stop_token stop) override;
    void abbrechen() override;

    // Lets a held beende() answer.
    void loslassen();
    // Whether a beende() call is waiting.
    bool wartet() const;
    QList<QByteArray> gesendet() const;

private:
    Aufrufe& aufrufe_;
    const bool startet_;
    const std::optional<QString> transkript_;
    mutable std::mutex sperre_;
    std::condition_variable_any freigabe_;
    bool haelt_;
    bool abgebrochen_ = false;
    bool wartet_ = false;
    QList<QByteArray> gesendet_;
};

} // namespace parlix::test
