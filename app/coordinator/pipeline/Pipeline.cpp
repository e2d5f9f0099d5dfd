#include "app/coordinator/pipeline/Pipeline.hpp"

#include "app/coordinator/LiveTranskription.hpp"
#include "app/coordinator/pipeline/AktionsLauf.hpp"
#include "app/coordinator/pipeline/DiktatLauf.hpp"
#include "app/coordinator/pipeline/LaufWerkzeug.hpp"
#include "core/audio/AudioAnalyse.hpp"
#include "core/audio/WAVKodierer.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqTranskription.hpp"
#include "core/services/GroqVerbindung.hpp"
#include "core/text/Zeichen.hpp"
#include "core/util/PrivateDatei.hpp"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// A copy of the recording for debugging. /tmp is shared, so the file is private and a
// link planted at its name is not followed; a failed write is ignored.
void speichereDebugKopie(const QByteArray& wav) {
    const QString pfad =
        u"/tmp/parlix_test_"_s + QString::number(QDateTime::currentSecsSinceEpoch()) + u".wav"_s;
    PrivateDatei::ersetze(pfad, wav);
    log().schreibe(u"💾 DEBUG Test-Audio gespeichert: "_s + pfad + u" ("_s +
                   QString::number(wav.size()) + u" Bytes)"_s);
}

// The stream's final transcript, trimmed like the batch transcript so that both route
// the same words alike; nothing when there is no stream or it heard nothing.
std::optional<QString> gestreamt(const Lauf& lauf, LiveTranskription* strom) {
    if (strom == nullptr) {
        return std::nullopt;
    }
    const QString text = strom->beende(lauf.stop).value_or(QString()).trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    log().schreibe(u"🎙 Voxtral-Stream-Transkript: "_s + QString::number(anzahlZeichen(text)) +
                   u" Zeichen"_s);
    return text;
}

} // namespace

PipelineErgebnis Pipeline::verarbeite(const Lauf& lauf, const QByteArray& pcm,
                                      LiveTranskription* strom) const {
    const LaufWerkzeug w(dienste_, lauf);
    if (w.abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    const QByteArray wav = WAVKodierer::wav(pcm, laufAbtastrate, 1);
    if (lauf.einstellungen.audioDebugSpeichern) {
        speichereDebugKopie(wav);
    }
    if (const std::optional<QString> transkript = gestreamt(lauf, strom)) {
        return verarbeiteTranskript(w, *transkript);
    }
    log().schreibe(u"Streaming leer → Batch-STT-Fallback"_s);
    return transkribiere(w, wav);
}

PipelineErgebnis Pipeline::transkribiere(const LaufWerkzeug& w, const QByteArray& wav) const {
    const LaufEinstellungen& einstellungen = w.lauf().einstellungen;
    QString transkript;
    try {
        const GroqTranskription stt(w.verbindung());
        transkript = stt.transkribiere(wav, einstellungen.diktatSprache, einstellungen.vokabular,
                                       w.lauf().stop);
    } catch (const std::exception& fehler) {
        return w.dienstFehler(fehler);
    }
    if (transkript.isEmpty()) {
        return PipelineErgebnis::fehler(u"fehler.nichts"_s);
    }
    return verarbeiteTranskript(w, transkript);
}

PipelineErgebnis Pipeline::verarbeiteTranskript(const LaufWerkzeug& w,
                                                const QString& transkript) const {
    if (w.abgebrochen()) {
        return PipelineErgebnis::abgebrochen();
    }
    if (AudioAnalyse::istHalluzination(transkript)) {
        log().schreibe(u"Halluzination verworfen: "_s + ersteZeichen(transkript, 40));
        return PipelineErgebnis::fehler(u"fehler.nichts"_s);
    }
    if (w.lauf().modus != Aufnahmemodus::diktat) {
        return AktionsLauf(w).fuehreAus(transkript);
    }
    return DiktatLauf(w).fuehreAus(transkript);
}

} // namespace parlix
