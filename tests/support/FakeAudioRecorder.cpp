#include "tests/support/FakeAudioRecorder.hpp"

#include <stdexcept>
#include <thread>

namespace parlix::test {

FakeAudioRecorder::FakeAudioRecorder(Aufrufe& aufrufe, std::optional<QString> fehler,
                                     std::function<void()> vergiss)
    : aufrufe_(aufrufe)
    , fehler_(std::move(fehler))
    , vergiss_(std::move(vergiss)) {}

void FakeAudioRecorder::starte() {
    aufrufe_.notiere(QStringLiteral("recorder.starte"));
    if (fehler_) {
        throw std::runtime_error(fehler_->toStdString());
    }
    laeuft_ = true;
}

void FakeAudioRecorder::stoppe() {
    aufrufe_.notiere(QStringLiteral("recorder.stoppe"));
    laeuft_ = false;
}

void FakeAudioRecorder::liefere(const QList<QByteArray>& chunks) {
    if (!laeuft_ || !onChunk) {
        return;
    }
    std::thread aufnahme([this, chunks] {
        for (const QByteArray& chunk : chunks) {
            onChunk(chunk);
        }
    });
    aufnahme.join();
}

} // namespace parlix::test
