#include "tests/support/FakeMikrofon.hpp"

namespace parlix::test {

AudioRecorderFabrik FakeMikrofon::fabrik() {
    return [this] {
        auto recorder =
            std::make_unique<FakeAudioRecorder>(aufrufe_, fehler_, [this] { letzter_ = nullptr; });
        letzter_ = recorder.get();
        ++erstellt_;
        return std::unique_ptr<AudioRecorder>(std::move(recorder));
    };
}

void FakeMikrofon::liefere(const QList<QByteArray>& chunks) {
    if (letzter_ != nullptr) {
        letzter_->liefere(chunks);
    }
}

} // namespace parlix::test
