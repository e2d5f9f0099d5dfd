#pragma once

#include "app/coordinator/AufnahmeDienste.hpp"
#include "app/coordinator/Lauf.hpp"
#include "app/coordinator/Verarbeitung.hpp"
#include "app/platform/EscMonitor.hpp"
#include "app/ui/hud/HUDController.hpp"
#include "app/ui/livebox/LiveBoxController.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/recording/Aufnahmemodus.hpp"
#include "core/services/GroqKonfiguration.hpp"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>

namespace parlix {

class GlasVerlauf;
class GroqVerbindung;

// The owner of the one recording that can exist at a time, and of the pipelines that
// turn a finished recording into a delivered result.
//
// Threads: the public operations, zeigeFehler, beende and every HUD and live box change
// run on the main thread. The recorder's chunk handler runs on the capture thread: it
// computes the level there, appends to the PCM buffer under a lock, sends the chunk to
// the stream and hands only the level to the main thread. Each stop that is not
// cancelled starts one pipeline thread, written as straight-line blocking code; it
// switches to the main thread with aufMain() and is cancelled through its stop token,
// which the HTTP calls and every wait honour. Delayed work holds the coordinator weakly.
//
// Create it with erstelle() and destroy it on the main thread: destruction stops the
// recorder and stops and joins the pipeline threads without waiting for the main queue.
class AufnahmeCoordinator final : public std::enable_shared_from_this<AufnahmeCoordinator> {
public:
    static std::shared_ptr<AufnahmeCoordinator> erstelle(AufnahmeDienste dienste);
    ~AufnahmeCoordinator();
    AufnahmeCoordinator(const AufnahmeCoordinator&) = delete;
    AufnahmeCoordinator& operator=(const AufnahmeCoordinator&) = delete;

    // Main thread. A start while a recording or its processing runs cancels that first.
    void starteAufnahme(Aufnahmemodus modus);
    // Stops the microphone and starts the pipeline for the recording that was running.
    void stoppeAufnahme();
    // Marks the running recording as locked hands-free (feedback only).
    void setzeGesperrt();
    // Cancels the recording or its processing; nothing of it is delivered, recorded or
    // shown. Does nothing while idle.
    void abbrechen();
    // The floating history panel that results go to when they are not pasted; may be
    // left unset.
    void setzeGlasVerlauf(GlasVerlauf* glasVerlauf) { glasVerlauf_ = glasVerlauf; }

    HUDController& hud() { return hud_; }
    LiveBoxController& liveBox() { return liveBox_; }
    bool aktiv() const { return aktiv_; }
    bool nochAmAufnehmen() const { return nochAmAufnehmen_; }
    bool abgebrochen() const { return abgebrochen_.load(); }
    Aufnahmemodus aktuellerModus() const { return aktuellerModus_; }
    const std::optional<QString>& vordergrundBundle() const { return vordergrundBundle_; }
    // What has been captured of the current recording. Kept after a delivery until the
    // next start; emptied at once by a cancel or an error.
    QByteArray pcmPuffer() const;

    // Plays a feedback cue unless sounds are off. Main thread.
    void spiele(const QString& name);
    // Computes the level of one chunk and hands it to the HUD. Capture thread.
    void aktualisierePegel(const QByteArray& chunk);
    // Ends the run with the (localised) text shown in the HUD for 1.8 s. Main thread.
    void zeigeFehler(const QString& text);
    // Shows the (localised) text in the HUD for 1.8 s and nothing else: a recording or its
    // processing goes on, and a cancelled run does not swallow it. Main thread.
    void zeigeHinweis(const QString& text);
    void installiereEscMonitor();
    void entferneEscMonitor();
    // Delivers a result: into the focused application when `einfuegen`, else into the
    // floating history panel; either way into the history. An empty result is dropped.
    // Main thread.
    void beende(const QString& text, const QString& art, bool einfuegen,
                const std::optional<QString>& gesagt);

private:
    explicit AufnahmeCoordinator(AufnahmeDienste dienste);

    // Pipelines, each on the pipeline thread of one run. finalisiere hands the transcript
    // to the others, which end through beende or zeigeFehler (both via aufMain) or stop
    // silently once the run is cancelled.
    // `strom`: the recording's stream, or null.
    void finalisiere(const Lauf& lauf, const QByteArray& pcm, LiveTranskription* strom);
    // The stream's transcript, else the batch transcription's; nothing when the run has
    // ended (an error shown or cancelled).
    std::optional<QString> transkribiere(const Lauf& lauf, const QByteArray& wav,
                                         LiveTranskription* strom);
    // A dictation: a voice edit of the selection, a reply, or cleaned-up text.
    void verarbeiteDiktat(const Lauf& lauf, const QString& transkript);
    void verarbeiteAktion(const Lauf& lauf, const QString& befehl, Aufnahmemodus modus);
    // The prompt mode's share of verarbeiteAktion: the dictation as a prompt, pasted.
    void verarbeitePrompt(const Lauf& lauf, const QString& befehl);
    // The text an action applies to; nothing when there is none anywhere.
    std::optional<QString> aktionsKontext(const Lauf& lauf, const QString& befehl);
    // The focused element's text, else the selection by copy; "" when there is neither.
    QString textKontext(const Lauf& lauf);
    void verarbeiteAntwort(const Lauf& lauf, const QString& befehl);
    void verarbeiteAntwortVision(const Lauf& lauf, const QString& intent, const QString& befehl);
    void fuehreVisionAktion(const Lauf& lauf, const QString& instruktion, const QString& befehl,
                            bool direkt);
    // One vision call on a fresh screenshot; nothing on any failure.
    std::optional<QString> frageVision(const Lauf& lauf, const QString& system,
                                       const QString& nutzer);
    // The rewritten selection; nothing when nothing is selected. Throws chat errors.
    std::optional<QString> editiereAuswahl(const Lauf& lauf, const QString& befehl);

    // Helpers of the pipelines (pipeline thread).

    // Whether the run was cancelled; every step after a wait checks it.
    bool abgebrochen(const Lauf& lauf) const;
    // Runs the step on the main thread and waits for it. The step does not run, and the
    // wait ends at once, when the run is cancelled first or the coordinator is gone: then
    // the result is nothing (false for a step without a result).
    template <class Schritt> auto aufMain(const Lauf& lauf, Schritt&& schritt);
    bool fuehreAufMainAus(const Lauf& lauf, std::function<void()> schritt);
    // Runs a step that touches the desktop (a keystroke, the clipboard, the screen) only
    // while the run is not cancelled: the user may already be typing elsewhere. A
    // cancelled run gets the empty result.
    template <class Schritt> auto amDesktop(const Lauf& lauf, Schritt&& schritt);
    // beende and zeigeFehler through aufMain; the error as the localised text of `key`,
    // after `logZeile` is logged (if any), both only when the run is still current.
    void beendeAufMain(const Lauf& lauf, const QString& text, const QString& art, bool einfuegen,
                       const std::optional<QString>& gesagt);
    void meldeFehler(const Lauf& lauf, const QString& key, const QString& logZeile = {});
    // The dictation's reaction to a failed service call: "fehler.keinKey" without a log
    // line for missing credentials, else the logged failure and "fehler.keinAnbieter" for
    // a backend that has no provider for the request or "fehler.groq". Nothing once the run is
    // cancelled (the cancelled request is no failure).
    void meldeDienstFehler(const Lauf& lauf, const std::exception& fehler);
    // The text of a localisation key in the interface language. Any thread.
    QString lokalisiert(const QString& key) const;
    // A configuration from the current settings; a connection over the shared client.
    GroqKonfiguration konfiguration() const;
    GroqVerbindung verbindung(GroqKonfiguration konfig) const;
    // One chat call on a fresh GroqChat: the configured model, temperature 0.2,
    // reasoning effort "low". Throws what GroqChat throws.
    QString chatte(const Lauf& lauf, const QString& system, const QString& nutzer) const;
    // chatte for the action, reply and prompt calls: the answer, or nothing once a
    // failure has been shown as `key` (after logPraefix + its description, if given).
    std::optional<QString> chatteOderMelde(const Lauf& lauf, const QString& system,
                                           const QString& nutzer, const QString& key,
                                           const QString& logPraefix = {});

    // Main-thread internals.
    void nimmChunk(const QByteArray& chunk, LiveTranskription* strom);
    void senkeAb();
    void setzeHUDZurueck();
    void oeffneStream();
    void starteRecorder();
    void stoppeRecorder();
    void brichStreamAb();
    void leerePuffer();
    void starteVerarbeitung();
    void versteckeSpaeter(MainQueue::Dauer verzoegerung, bool fehlerLoeschen);

    AufnahmeDienste d_;
    HUDController hud_;
    std::unique_ptr<AudioRecorder> recorder_;
    mutable std::mutex pcmSperre_;
    QByteArray pcmPuffer_; // guarded by pcmSperre_
    Aufnahmemodus aktuellerModus_ = Aufnahmemodus::diktat;
    std::unique_ptr<EscMonitor::Abo> escMonitor_;
    std::atomic<bool> abgebrochen_{false};
    bool aktiv_ = false;
    bool nochAmAufnehmen_ = false;
    std::optional<MainQueue::Zeitpunkt> stopZeit_;
    std::optional<QString> vordergrundBundle_;
    std::shared_ptr<LiveTranskription> euStream_;
    LiveBoxController liveBox_;
    GlasVerlauf* glasVerlauf_ = nullptr;
    // The delayed muting and the delayed hiding of the HUD; a new start cancels both, so
    // that they never act on the next recording.
    std::shared_ptr<GeplanterJob> stummJob_;
    std::shared_ptr<GeplanterJob> versteckJob_;
    // Takes a notice shown over a running recording down again.
    std::shared_ptr<GeplanterJob> hinweisJob_;
    Verarbeitung verarbeitung_; // last: its threads stop before the members they use
};

template <class Schritt> auto AufnahmeCoordinator::aufMain(const Lauf& lauf, Schritt&& schritt) {
    using Ergebnis = std::invoke_result_t<Schritt&>;
    if constexpr (std::is_void_v<Ergebnis>) {
        return fuehreAufMainAus(lauf, [&schritt] { schritt(); });
    } else {
        std::optional<Ergebnis> ergebnis;
        fuehreAufMainAus(lauf, [&] { ergebnis.emplace(schritt()); });
        return ergebnis;
    }
}

template <class Schritt> auto AufnahmeCoordinator::amDesktop(const Lauf& lauf, Schritt&& schritt) {
    using Ergebnis = std::invoke_result_t<Schritt&>;
    return abgebrochen(lauf) ? Ergebnis{} : schritt();
}

} // namespace parlix
