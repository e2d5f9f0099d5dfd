#pragma once

#include "app/coordinator/AufnahmeAnzeige.hpp"
#include "app/coordinator/AufnahmeDienste.hpp"
#include "app/coordinator/Lauf.hpp"
#include "app/coordinator/Verarbeitung.hpp"
#include "app/coordinator/pipeline/Pipeline.hpp"
#include "app/platform/EscMonitor.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/recording/Aufnahmemodus.hpp"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace parlix {

class Einstellungen;
class GlasVerlauf;

// The owner of the one recording that can exist at a time: it records, shows the HUD and
// the live words, hands each finished recording to the pipeline and delivers what comes
// back.
//
// Threads: the public operations, the delivery and every HUD and live box change run on
// the main thread. The recorder's chunk handler runs on the capture thread: it computes
// the level there, appends to the PCM buffer under a lock, sends the chunk to the stream
// and hands only the level to the main thread. Each stop of a recording that holds
// speech starts one pipeline thread with the settings read at that moment; the thread
// hands its result to the main thread once, at its end, and is cancelled through its
// stop token, which the HTTP calls and every wait honour. Delayed work holds the
// coordinator weakly.
//
// Create it with erstelle() and destroy it on the main thread: destruction stops the
// recorder and stops and joins the pipeline threads without waiting for the main queue.
class AufnahmeCoordinator final : public std::enable_shared_from_this<AufnahmeCoordinator> {
public:
    static std::shared_ptr<AufnahmeCoordinator> erstelle(AufnahmeDienste dienste,
                                                         AufnahmeAnzeige anzeige);
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

    bool aktiv() const { return aktiv_; }
    bool nochAmAufnehmen() const { return nochAmAufnehmen_; }
    bool abgebrochen() const { return abgebrochen_; }
    Aufnahmemodus aktuellerModus() const { return aktuellerModus_; }
    // What has been captured of the current recording. Kept after a delivery until the
    // next start; emptied at once by a cancel or an error.
    QByteArray pcmPuffer() const;

    // Computes the level of one chunk and hands it to the HUD. Capture thread.
    void aktualisierePegel(const QByteArray& chunk);
    // Ends the run with the (localised) text shown in the HUD for 1.8 s. Main thread.
    void zeigeFehler(const QString& text);
    // Shows the (localised) text in the HUD for 1.8 s and nothing else: a recording or its
    // processing goes on, and a cancelled run does not swallow it. Main thread.
    void zeigeHinweis(const QString& text);
    // Pastes the text into the focused application; where nothing can post the paste key
    // the text waits on the clipboard, and the HUD says so, as it says when the clipboard
    // did not take the text. Main thread.
    void fuegeEin(const QString& text);

private:
    AufnahmeCoordinator(AufnahmeDienste dienste, AufnahmeAnzeige anzeige);

    // The pipeline's result of a run that is still current: delivered, or its error shown.
    void liefere(const Lauf& lauf, const PipelineErgebnis& ergebnis);
    // Delivers a result: into the focused application when `einfuegen`, else into the
    // floating history panel; either way into the history. An empty result is dropped.
    void beende(const QString& text, const QString& art, bool einfuegen,
                const std::optional<QString>& gesagt, const LaufEinstellungen& einstellungen);
    // The text of a localisation key in the interface language.
    QString lokalisiert(const QString& key) const;
    // Plays a feedback cue unless sounds are off.
    void spiele(const QString& name, bool soundAktiv);

    // Main-thread internals.
    void nimmChunk(const QByteArray& chunk, LiveTranskription* strom);
    void senkeAb(const Einstellungen& einstellungen);
    void oeffneStream();
    void starteRecorder();
    void stoppeRecorder();
    void brichStreamAb();
    void leerePuffer();
    void starteVerarbeitung();
    void installiereEscMonitor();
    void entferneEscMonitor();
    // Shows a result that is not pasted in the glass history and puts it on the clipboard.
    void zeigeImGlasVerlauf(const QString& text, const QString& zeichen);
    void versteckeSpaeter(MainQueue::Dauer verzoegerung, bool fehlerLoeschen);

    AufnahmeDienste d_;
    HUDAnzeige& hud_;
    LiveAnzeige& liveBox_;
    std::function<QString(const QString& key)> texte_;
    std::unique_ptr<AudioRecorder> recorder_;
    mutable std::mutex pcmSperre_;
    QByteArray pcmPuffer_; // guarded by pcmSperre_
    Aufnahmemodus aktuellerModus_ = Aufnahmemodus::diktat;
    std::unique_ptr<EscMonitor::Abo> escMonitor_;
    bool abgebrochen_ = false;
    bool aktiv_ = false;
    bool nochAmAufnehmen_ = false;
    std::optional<MainQueue::Zeitpunkt> stopZeit_;
    std::optional<QString> vordergrundBundle_;
    std::shared_ptr<LiveTranskription> euStream_;
    GlasVerlauf* glasVerlauf_ = nullptr;
    // The delayed muting and the delayed hiding of the HUD; a new start cancels both, so
    // that they never act on the next recording.
    std::shared_ptr<GeplanterJob> stummJob_;
    std::shared_ptr<GeplanterJob> versteckJob_;
    // Takes a notice shown over a running recording down again.
    std::shared_ptr<GeplanterJob> hinweisJob_;
    const Pipeline pipeline_;
    Verarbeitung verarbeitung_; // last: its threads stop before the members they use
};

} // namespace parlix
