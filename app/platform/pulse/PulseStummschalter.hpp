#pragma once

#include "app/platform/Stummschalter.hpp"
#include "app/platform/pulse/Absenkung.hpp"

#include <QString>
#include <optional>

namespace parlix {

class PulseVerbindung;

// Lowers the PulseAudio default sink while recording. What it changed is also kept in a
// small file until it is put back, so that a run which ends during a recording (a crash,
// a kill) does not leave the user's sound lowered: the next start repairs it. Each call
// opens its own short connection; nothing stays connected in between. Main thread.
class PulseStummschalter final : public Stummschalter {
public:
    explicit PulseStummschalter(QString zustandsDatei = standardZustandsDatei());

    void absenken(int prozent) override;
    void wiederherstellen() override;

    // Puts back what an earlier run lowered and never restored. For the application's
    // start; absenken() does it too before it lowers anything.
    void repariereNachAbsturz();

    // $XDG_STATE_HOME/parlix/ausgabe-vorher.json
    static QString standardZustandsDatei();

private:
    // Restores the sink if it still holds what was set; true when it did.
    static bool stelleWiederHer(PulseVerbindung& verbindung, const Absenkung& absenkung);
    void repariere(PulseVerbindung& verbindung);
    std::optional<Absenkung> ladeZustand() const;
    void speichereZustand(const Absenkung& absenkung) const;
    void loescheZustand() const;

    QString zustandsDatei_;
    std::optional<Absenkung> vorher_;
};

} // namespace parlix
