#pragma once

#include "core/hotkeys/TastenQuelle.hpp"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <vector>

namespace parlix::test {

// Wraps a real key source and notes every event it hands to the handler, after the
// handler has decided it, for tests and benchmarks that watch a source at work.
class MitlesendeQuelle final : public TastenQuelle {
public:
    struct Ereignis {
        quint32 typ;
        qint64 keyCode;
        quint64 flags;
        bool operator==(const Ereignis&) const = default;
    };

    explicit MitlesendeQuelle(std::unique_ptr<TastenQuelle> quelle)
        : quelle_(std::move(quelle)) {}
    // Ends the source's thread before the notes go.
    ~MitlesendeQuelle() override { quelle_.reset(); }

    void starte(Behandler behandler, Bereit bereit) override;
    void aktiviereWieder() override { quelle_->aktiviereWieder(); }

    std::vector<Ereignis> ereignisse() const;
    // Waits until more than `anzahl` events have been noted, at most `frist`.
    bool warteAufMehrAls(std::size_t anzahl, std::chrono::milliseconds frist);
    // The source's thread, once it has reported whether it is set up.
    std::optional<pthread_t> faden() const;

private:
    mutable std::mutex sperre_;
    std::condition_variable neu_;
    std::vector<Ereignis> ereignisse_;
    std::optional<pthread_t> faden_;
    std::unique_ptr<TastenQuelle> quelle_;
};

} // namespace parlix::test
