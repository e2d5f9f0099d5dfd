#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "core/audio/AudioAnalyse.hpp"
#include "core/audio/WAVKodierer.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/GroqTranskription.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/text/Aktionen.hpp"
#include "core/text/SprachEditing.hpp"
#include "core/text/Zeichen.hpp"
#include "core/util/PrivateDatei.hpp"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int sampleRate = 16000;

// A copy of the recording for debugging. /tmp is shared, so the file is private and a
// link planted at its name is not followed; a failed write is ignored.
void speichereDebugKopie(const QByteArray& wav) {
    const QString pfad =
        u"/tmp/parlix_test_"_s + QString::number(QDateTime::currentSecsSinceEpoch()) + u".wav"_s;
    PrivateDatei::ersetze(pfad, wav);
    log().schreibe(u"💾 DEBUG Test-Audio gespeichert: "_s + pfad + u" ("_s +
                   QString::number(wav.size()) + u" Bytes)"_s);
}

} // namespace

void AufnahmeCoordinator::finalisiere(const Lauf& lauf, const QByteArray& pcm,
                                      LiveTranskription* strom) {
    if (abgebrochen(lauf)) {
        return;
    }
    if (pcm.isEmpty() || !AudioAnalyse::hatSprache(pcm, sampleRate, 0.3, 0.006)) {
        log().schreibe(u"Keine Sprache erkannt (Stille/zu leise) — verworfen"_s);
        // zeigeFehler also cancels and drops the stream.
        meldeFehler(lauf, u"fehler.nichts"_s);
        return;
    }
    aufMain(lauf, [this] {
        hud_.model().setzeZustand(AppZustand::transkribierend);
        hud_.model().starteMorph(1.0, d_.mainQueue.jetzt());
    });
    const QByteArray wav = WAVKodierer::wav(pcm, sampleRate, 1);
    if (Einstellungen(d_.speicher).audioDebugSpeichern()) {
        speichereDebugKopie(wav);
    }
    const std::optional<QString> transkript = transkribiere(lauf, wav, strom);
    if (!transkript || abgebrochen(lauf)) {
        return;
    }
    if (AudioAnalyse::istHalluzination(*transkript)) {
        log().schreibe(u"Halluzination verworfen: "_s + ersteZeichen(*transkript, 40));
        meldeFehler(lauf, u"fehler.nichts"_s);
        return;
    }
    if (lauf.modus != Aufnahmemodus::diktat) {
        verarbeiteAktion(lauf, *transkript, lauf.modus);
    } else {
        verarbeiteDiktat(lauf, *transkript);
    }
}

std::optional<QString> AufnahmeCoordinator::transkribiere(const Lauf& lauf, const QByteArray& wav,
                                                          LiveTranskription* strom) {
    if (strom != nullptr) {
        // Trimmed like the batch transcript, so that both route the same words alike.
        const QString gestreamt = strom->beende(lauf.stop).value_or(QString()).trimmed();
        if (!gestreamt.isEmpty()) {
            log().schreibe(u"🎙 Voxtral-Stream-Transkript: "_s +
                           QString::number(anzahlZeichen(gestreamt)) + u" Zeichen"_s);
            return gestreamt;
        }
    }
    log().schreibe(u"Streaming leer → Batch-STT-Fallback"_s);
    QString transkript;
    try {
        const Einstellungen einstellungen(d_.speicher);
        const GroqTranskription stt(verbindung(konfiguration()));
        transkript = stt.transkribiere(wav, einstellungen.diktatSprache(),
                                       einstellungen.effektivesVokabular(), lauf.stop);
    } catch (const std::exception& fehler) {
        meldeDienstFehler(lauf, fehler);
        return std::nullopt;
    }
    if (transkript.isEmpty()) {
        meldeFehler(lauf, u"fehler.nichts"_s);
        return std::nullopt;
    }
    return transkript;
}

void AufnahmeCoordinator::verarbeiteDiktat(const Lauf& lauf, const QString& transkript) {
    if (SprachEditing::istEditBefehl(transkript)) {
        std::optional<QString> bearbeitet;
        try {
            bearbeitet = editiereAuswahl(lauf, transkript);
        } catch (const std::exception& fehler) {
            meldeDienstFehler(lauf, fehler);
            return;
        }
        if (bearbeitet) {
            if (!abgebrochen(lauf)) {
                beendeAufMain(lauf, *bearbeitet, u"Bearbeitung"_s, true, transkript);
            }
            return;
        }
    }
    if (Aktionen::istAntwortAnfrage(transkript)) {
        verarbeiteAntwort(lauf, transkript);
        return;
    }
    const Einstellungen einstellungen(d_.speicher);
    QString ergebnis;
    try {
        const QString system =
            einstellungen.effektiverCleanupPrompt(lauf.vordergrundBundle.value_or(QString()));
        ergebnis = chatte(lauf, system, transkript);
    } catch (const std::exception& fehler) {
        meldeDienstFehler(lauf, fehler);
        return;
    }
    const std::chrono::duration<double> dauer = d_.mainQueue.jetzt() - lauf.stopZeit;
    const QString dienst = einstellungen.dsgvoModus() ? u"EU/Mistral"_s : u"Groq"_s;
    log().schreibe(u"⏱ "_s + dienst + u" Stop→Ergebnis "_s +
                   QString::asprintf("%.2f", dauer.count()) + u"s; "_s +
                   QString::number(anzahlZeichen(ergebnis)) + u" Zeichen"_s);
    if (!abgebrochen(lauf)) {
        beendeAufMain(lauf, ergebnis, u"Diktat"_s, true, transkript);
    }
}

} // namespace parlix
