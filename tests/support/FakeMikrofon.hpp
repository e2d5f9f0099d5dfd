#pragma once

#include "app/platform/AudioRecorder.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/FakeAudioRecorder.hpp"

#include <QList>
#include <optional>

namespace parlix::test {

// Makes the recorders of the coordinator and keeps track of the latest one. Main
// thread (the test's).
class FakeMikrofon {
public:
    explicit FakeMikrofon(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    AudioRecorderFabrik fabrik();

    // From now on, starting a recorder fails with this description.
    void setzeFehler(std::optional<QString> fehler) { fehler_ = std::move(fehler); }
    // Delivers chunks through the latest recorder (see FakeAudioRecorder::liefere).
    void liefere(const QList<QByteArray>& chunks);
    int erstellt() const { return erstellt_; }

private:
    Aufrufe& aufrufe_;
    std::optional<QString> fehler_;
    FakeAudioRecorder* letzter_ = nullptr;
    int erstellt_ = 0;
};

} // namespace parlix::test
