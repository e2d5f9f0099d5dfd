#pragma once

#include "app/platform/AudioRecorder.hpp"
#include "tests/support/Aufrufe.hpp"

#include <QList>
#include <functional>
#include <optional>

namespace parlix::test {

// A recorder whose chunks the test hands in; they reach onChunk on a thread of their
// own, as capture chunks do.
class FakeAudioRecorder final : public AudioRecorder {
public:
    // `fehler`: starte() throws std::runtime_error with this description. `vergiss` runs
    // when the recorder is destroyed.
    FakeAudioRecorder(Aufrufe& aufrufe, std::optional<QString> fehler,
                      std::function<void()> vergiss);
    ~FakeAudioRecorder() override { vergiss_(); }

    void starte() override;
    void stoppe() override;

    // Delivers the chunks one after another on a new thread and waits until it is done.
    // Delivers nothing unless started and not stopped.
    void liefere(const QList<QByteArray>& chunks);

private:
    Aufrufe& aufrufe_;
    const std::optional<QString> fehler_;
    const std::function<void()> vergiss_;
    bool laeuft_ = false;
};

} // namespace parlix::test
