#include "app/platform/pulse/PulseAudioRecorder.hpp"

#include "app/platform/pulse/ChunkBildner.hpp"
#include "app/platform/pulse/Mikrofone.hpp"
#include "app/platform/pulse/PulseVerbindung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

PulseAudioRecorder::PulseAudioRecorder(DefaultsStore& speicher)
    : speicher_(speicher) {}

PulseAudioRecorder::~PulseAudioRecorder() {
    stoppe();
}

AudioRecorderFabrik PulseAudioRecorder::fabrik(DefaultsStore& speicher) {
    return [&speicher]() -> std::unique_ptr<AudioRecorder> {
        return std::make_unique<PulseAudioRecorder>(speicher);
    };
}

void PulseAudioRecorder::starte() {
    if (verbindung_) {
        return;
    }
    auto verbindung = std::make_unique<PulseVerbindung>();
    const QString quelle = waehleGeraet(*verbindung);
    // The handler is copied so that a later change to onChunk cannot race the capture.
    auto bildner = std::make_shared<ChunkBildner>(kChunkBytes, onChunk);
    verbindung->starteAufnahme(
        quelle, kChunkBytes,
        [bildner](const char* daten, std::size_t bytes) { bildner->nimm(daten, bytes); });
    verbindung_ = std::move(verbindung);
}

void PulseAudioRecorder::stoppe() {
    if (!verbindung_) {
        return;
    }
    verbindung_->stoppeAufnahme();
    verbindung_.reset();
}

QString PulseAudioRecorder::waehleGeraet(PulseVerbindung& verbindung) const {
    const QString uid = Einstellungen(speicher_).mikrofonUID();
    if (uid.isEmpty()) {
        return {};
    }
    if (Mikrofone::geraeteID(verbindung, uid)) {
        return uid;
    }
    log().schreibe(u"FEHLER: "_s + u"Mikrofon-UID "_s + uid +
                   u" nicht angeschlossen → System-Standard"_s);
    return {};
}

} // namespace parlix
