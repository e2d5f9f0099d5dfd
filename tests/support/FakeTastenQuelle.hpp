#pragma once

#include "core/hotkeys/TastenQuelle.hpp"

#include <atomic>
#include <thread>
#include <vector>

namespace parlix::test {

// A key source with a real thread of its own, which delivers the events given at
// construction to the handler one after the other and then ends. Read the results
// after warteAufEnde().
class FakeTastenQuelle final : public TastenQuelle {
public:
    struct Ereignis {
        quint32 typ;
        qint64 keyCode;
        quint64 flags;
    };

    explicit FakeTastenQuelle(std::vector<Ereignis> ereignisse, bool erstellbar = true);
    ~FakeTastenQuelle() override { warteAufEnde(); }

    void starte(Behandler behandler, Bereit bereit) override;
    void aktiviereWieder() override;

    // Any thread: whether every event has been handled.
    bool zugestellt() const { return zugestellt_; }
    void warteAufEnde();

    // The handler's answers (true = swallowed), in the order of the events.
    const std::vector<bool>& antworten() const { return antworten_; }
    int reaktivierungen() const { return reaktivierungen_; }
    bool nurAufEigenemThread() const { return nurAufEigenemThread_; }

private:
    const std::vector<Ereignis> ereignisse_;
    const bool erstellbar_;
    std::vector<bool> antworten_;
    int reaktivierungen_ = 0;
    bool nurAufEigenemThread_ = true;
    std::atomic<bool> zugestellt_{false};
    std::thread::id eigenerThread_;
    std::thread thread_;
};

} // namespace parlix::test
