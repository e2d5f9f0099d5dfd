#include "app/coordinator/AufnahmeCoordinator.hpp"

#include "app/coordinator/GlasVerlauf.hpp"
#include "app/platform/AXVertrauen.hpp"
#include "app/platform/Klangspieler.hpp"
#include "app/platform/Stummschalter.hpp"
#include "app/platform/TextInserter.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "core/audio/AudioAnalyse.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/text/Zeichen.hpp"

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix {

namespace {

// How long an error or a notice stays in the HUD.
constexpr MainQueue::Dauer hinweisDauer = 1800ms;

} // namespace

std::shared_ptr<AufnahmeCoordinator> AufnahmeCoordinator::erstelle(AufnahmeDienste dienste,
                                                                   AufnahmeAnzeige anzeige) {
    return std::shared_ptr<AufnahmeCoordinator>(
        new AufnahmeCoordinator(std::move(dienste), std::move(anzeige)));
}

AufnahmeCoordinator::AufnahmeCoordinator(AufnahmeDienste dienste, AufnahmeAnzeige anzeige)
    : d_(std::move(dienste))
    , hud_(anzeige.hud)
    , liveBox_(anzeige.liveBox)
    , texte_(std::move(anzeige.text))
    , pipeline_(d_.pipeline) {}

AufnahmeCoordinator::~AufnahmeCoordinator() {
    // The capture thread and the pipelines use this object; both end before it goes.
    stoppeRecorder();
    verarbeitung_.beendeAlle();
}

void AufnahmeCoordinator::starteAufnahme(Aufnahmemodus modus) {
    log().schreibe(u"▶︎ START (Hotkey) — Modus: "_s + alsText(modus));
    if (aktiv_) {
        abbrechen();
    }
    abgebrochen_ = false;
    aktiv_ = true;
    installiereEscMonitor();
    nochAmAufnehmen_ = true;
    if (versteckJob_) {
        versteckJob_->abbrechen();
    }
    const Einstellungen einstellungen(d_.speicher);
    spiele(einstellungen.soundName(), einstellungen.soundAktiv());
    senkeAb(einstellungen);
    hud_.zeigeAufnahme(einstellungen);
    aktuellerModus_ = modus;
    vordergrundBundle_ = d_.vordergrund.anwendungsID();
    leerePuffer();
    oeffneStream();
    starteRecorder();
}

void AufnahmeCoordinator::senkeAb(const Einstellungen& einstellungen) {
    const int prozent =
        static_cast<int>(std::clamp<qint64>(einstellungen.aufnahmeLautstaerke(), 0, 100));
    if (stummJob_) {
        stummJob_->abbrechen();
    }
    if (!einstellungen.soundAktiv()) {
        d_.stummschalter.absenken(prozent);
        return;
    }
    // Later, so that the start cue itself is not lowered; not at all once stopped.
    stummJob_ = d_.mainQueue.after(500ms, [selbst = weak_from_this(), prozent] {
        if (const auto c = selbst.lock(); c && c->nochAmAufnehmen_) {
            c->d_.stummschalter.absenken(prozent);
        }
    });
}

void AufnahmeCoordinator::oeffneStream() {
    euStream_.reset();
    if (!d_.stream) {
        return;
    }
    std::shared_ptr<LiveTranskription> strom = d_.stream();
    strom->onDelta = [selbst = weak_from_this()](const QString& bisher) {
        if (const auto c = selbst.lock()) {
            c->liveBox_.setze(bisher);
        }
    };
    if (strom->starte()) {
        euStream_ = std::move(strom);
        liveBox_.zeige();
    }
}

void AufnahmeCoordinator::starteRecorder() {
    std::unique_ptr<AudioRecorder> recorder = d_.recorder();
    // The handler may use `this`: the recorder is stopped before the coordinator goes.
    recorder->onChunk = [this, strom = euStream_](const QByteArray& chunk) {
        nimmChunk(chunk, strom.get());
    };
    try {
        recorder->starte();
    } catch (const std::exception& fehler) {
        log().schreibe(u"FEHLER: Mikrofon-Fehler: "_s + QString::fromUtf8(fehler.what()));
        zeigeFehler(lokalisiert(u"fehler.mikro"_s));
        return;
    }
    log().schreibe(u"🎙️ Aufnahme gestartet (Groq, lokal)"_s);
    recorder_ = std::move(recorder);
}

void AufnahmeCoordinator::nimmChunk(const QByteArray& chunk, LiveTranskription* strom) {
    aktualisierePegel(chunk);
    {
        std::lock_guard sperre(pcmSperre_);
        pcmPuffer_.append(chunk);
    }
    if (strom != nullptr) {
        strom->sende(chunk);
    }
}

void AufnahmeCoordinator::aktualisierePegel(const QByteArray& chunk) {
    const std::optional<float> pegel = AudioAnalyse::pegel(chunk);
    if (!pegel) {
        return;
    }
    d_.mainQueue.post([selbst = weak_from_this(), pegel = *pegel] {
        if (const auto c = selbst.lock()) {
            c->hud_.schiebePegel(pegel);
        }
    });
}

void AufnahmeCoordinator::stoppeAufnahme() {
    log().schreibe(u"⏹ STOP (Hotkey)"_s);
    stopZeit_ = d_.mainQueue.jetzt();
    // A stop after the microphone failed, or a second stop, has nothing to finish.
    const bool warAmAufnehmen = nochAmAufnehmen_;
    nochAmAufnehmen_ = false;
    d_.stummschalter.wiederherstellen();
    stoppeRecorder();
    if (warAmAufnehmen && !abgebrochen_) {
        starteVerarbeitung();
    }
}

void AufnahmeCoordinator::starteVerarbeitung() {
    // A copy of its own: the buffer's data is not shared with the pipeline thread.
    const QByteArray puffer = pcmPuffer();
    QByteArray pcm(puffer.constData(), puffer.size());
    if (pcm.isEmpty() || !AudioAnalyse::hatSprache(pcm, laufAbtastrate, 0.3, 0.006)) {
        log().schreibe(u"Keine Sprache erkannt (Stille/zu leise) — verworfen"_s);
        // zeigeFehler also cancels and drops the stream.
        zeigeFehler(lokalisiert(u"fehler.nichts"_s));
        return;
    }
    hud_.zeigeVerarbeitung(d_.mainQueue.jetzt());
    Lauf basis{
        {}, aktuellerModus_, vordergrundBundle_, *stopZeit_, LaufEinstellungen::lies(d_.speicher)};
    verarbeitung_.starte([this, basis = std::move(basis), pcm = std::move(pcm),
                          strom = euStream_](std::stop_token stop) mutable {
        Lauf lauf = std::move(basis);
        lauf.stop = stop;
        PipelineErgebnis ergebnis = pipeline_.verarbeite(lauf, pcm, strom.get());
        // The run's one hand-over. The stream goes with it: it is created and destroyed on
        // the main thread.
        d_.mainQueue.post([selbst = weak_from_this(), lauf = std::move(lauf),
                           ergebnis = std::move(ergebnis), strom = std::move(strom)] {
            if (const auto c = selbst.lock(); c && !lauf.stop.stop_requested()) {
                c->liefere(lauf, ergebnis);
            }
        });
    });
}

void AufnahmeCoordinator::liefere(const Lauf& lauf, const PipelineErgebnis& ergebnis) {
    switch (ergebnis.fall) {
    case PipelineErgebnis::Fall::geliefert:
        beende(ergebnis.text, ergebnis.art, ergebnis.einfuegen, ergebnis.gesagt,
               lauf.einstellungen);
        break;
    case PipelineErgebnis::Fall::fehler:
        if (!ergebnis.logZeile.isEmpty()) {
            log().schreibe(ergebnis.logZeile);
        }
        zeigeFehler(lokalisiert(ergebnis.fehlerKey));
        break;
    case PipelineErgebnis::Fall::abgebrochen:
        break;
    }
}

void AufnahmeCoordinator::setzeGesperrt() {
    hud_.setzeGesperrt(true);
    spiele(u"Tink"_s, Einstellungen(d_.speicher).soundAktiv());
    log().schreibe(u"🔒 freihändig eingerastet (Doppeltipp)"_s);
}

void AufnahmeCoordinator::abbrechen() {
    if (!aktiv_) {
        return;
    }
    log().schreibe(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s);
    abgebrochen_ = true;
    aktiv_ = false;
    nochAmAufnehmen_ = false;
    d_.stummschalter.wiederherstellen();
    verarbeitung_.brichAb();
    stoppeRecorder();
    brichStreamAb();
    leerePuffer();
    entferneEscMonitor();
    hud_.verstecke();
    hud_.setzeZustand(AppZustand::idle);
}

void AufnahmeCoordinator::stoppeRecorder() {
    if (recorder_) {
        recorder_->stoppe();
        recorder_.reset();
    }
}

void AufnahmeCoordinator::brichStreamAb() {
    if (euStream_) {
        euStream_->abbrechen();
        euStream_.reset();
    }
    liveBox_.verstecke();
}

QByteArray AufnahmeCoordinator::pcmPuffer() const {
    std::lock_guard sperre(pcmSperre_);
    return pcmPuffer_;
}

void AufnahmeCoordinator::leerePuffer() {
    std::lock_guard sperre(pcmSperre_);
    pcmPuffer_.clear();
}

void AufnahmeCoordinator::spiele(const QString& name, bool soundAktiv) {
    if (soundAktiv) {
        d_.klaenge.spiele(name);
    }
}

QString AufnahmeCoordinator::lokalisiert(const QString& key) const {
    return texte_(key);
}

void AufnahmeCoordinator::installiereEscMonitor() {
    entferneEscMonitor();
    escMonitor_ = d_.escMonitor.installiere([selbst = weak_from_this()] {
        if (const auto c = selbst.lock()) {
            c->abbrechen();
        }
    });
}

void AufnahmeCoordinator::entferneEscMonitor() {
    escMonitor_.reset();
}

void AufnahmeCoordinator::zeigeFehler(const QString& text) {
    if (abgebrochen_) {
        return;
    }
    aktiv_ = false;
    nochAmAufnehmen_ = false;
    d_.stummschalter.wiederherstellen();
    entferneEscMonitor();
    stoppeRecorder();
    brichStreamAb();
    leerePuffer();
    hud_.setzeFehler(text);
    hud_.zeige();
    versteckeSpaeter(hinweisDauer, true);
}

void AufnahmeCoordinator::zeigeHinweis(const QString& text) {
    hud_.setzeHinweis(text);
    if (hinweisJob_) {
        hinweisJob_->abbrechen();
    }
    if (!aktiv_) {
        // The newer message replaces an error still showing.
        hud_.setzeFehler(std::nullopt);
        hud_.zeige();
        versteckeSpaeter(hinweisDauer, false);
        return;
    }
    // The run keeps the HUD; the notice only lies over it for a while.
    hinweisJob_ = d_.mainQueue.after(hinweisDauer, [selbst = weak_from_this()] {
        if (const auto c = selbst.lock()) {
            c->hud_.setzeHinweis(std::nullopt);
        }
    });
}

void AufnahmeCoordinator::beende(const QString& text, const QString& art, bool einfuegen,
                                 const std::optional<QString>& gesagt,
                                 const LaufEinstellungen& einstellungen) {
    if (abgebrochen_) {
        return;
    }
    aktiv_ = false;
    liveBox_.verstecke();
    entferneEscMonitor();
    if (text.trimmed().isEmpty()) {
        log().schreibe(u"Leeres Ergebnis — still verworfen"_s);
        hud_.verstecke();
        hud_.setzeZustand(AppZustand::idle);
        return;
    }
    hud_.setzeZustand(AppZustand::einfuegend);
    const QString zeichen = QString::number(anzahlZeichen(text));
    // Before the delivery: a notice it gives at once keeps its own time.
    versteckeSpaeter(600ms, false);
    if (einfuegen) {
        const QString vertraut = d_.vertrauen.istVertraut() ? u"true"_s : u"false"_s;
        log().schreibe(u"⌘V Auto-Einfügen (vertraut: "_s + vertraut + u") für "_s + zeichen +
                       u" Zeichen"_s);
        fuegeEin(text);
        // The paste delay counts from the call above: the history's write falls into it
        // instead of coming before it.
        d_.verlauf.hinzufuegen(art, text, gesagt);
    } else {
        // The glass history shows the new entry as the one it marks.
        d_.verlauf.hinzufuegen(art, text, gesagt);
        zeigeImGlasVerlauf(text, zeichen);
    }
    spiele(einstellungen.soundName, einstellungen.soundAktiv);
}

void AufnahmeCoordinator::zeigeImGlasVerlauf(const QString& text, const QString& zeichen) {
    if (glasVerlauf_ == nullptr || glasVerlauf_->zeigeNeuesErgebnis(text)) {
        log().schreibe(u"💬 Ergebnis ("_s + zeichen + u" Z.) → Glass-Verlauf + Zwischenablage"_s);
    } else {
        log().schreibe(u"FEHLER: 💬 Ergebnis ("_s + zeichen +
                       u" Z.) → nur Glass-Verlauf, die Zwischenablage nimmt es nicht an"_s);
    }
}

void AufnahmeCoordinator::fuegeEin(const QString& text) {
    d_.inserter.fuegeEin(text, [selbst = weak_from_this()](TextInserter::Ergebnis ergebnis) {
        const auto c = selbst.lock();
        if (!c || ergebnis == TextInserter::Ergebnis::eingefuegt) {
            return;
        }
        // A notice, not an error: the next recording may already run.
        c->zeigeHinweis(c->lokalisiert(ergebnis == TextInserter::Ergebnis::nurKopiert
                                           ? u"einfuegen.nurKopiert"_s
                                           : u"einfuegen.fehlgeschlagen"_s));
    });
}

void AufnahmeCoordinator::versteckeSpaeter(MainQueue::Dauer verzoegerung, bool fehlerLoeschen) {
    if (versteckJob_) {
        versteckJob_->abbrechen();
    }
    versteckJob_ = d_.mainQueue.after(verzoegerung, [selbst = weak_from_this(), fehlerLoeschen] {
        if (const auto c = selbst.lock()) {
            c->hud_.verstecke();
            c->hud_.setzeHinweis(std::nullopt);
            if (fehlerLoeschen) {
                c->hud_.setzeFehler(std::nullopt);
            }
            c->hud_.setzeZustand(AppZustand::idle);
        }
    });
}

} // namespace parlix
