#pragma once

#include "core/text/Befehl.hpp"
#include "core/text/CleanupPrompt.hpp"

#include <QList>
#include <QString>

namespace parlix {

class DefaultsStore;

// The settings one run uses, read once when its recording stops: a setting changed while
// the run is processed applies to the next one.
struct LaufEinstellungen {
    // The service calls' alternative base URL; empty for the backend's.
    QString proxyURL;
    QString diktatSprache;
    // The profile's vocabulary and the user's, for the transcription.
    QString vokabular;
    CleanupPrompt::Zutaten cleanup;
    QList<Befehl> befehle;
    bool dsgvoModus = true;
    bool audioDebugSpeichern = false;
    bool soundAktiv = true;
    QString soundName;

    static LaufEinstellungen lies(DefaultsStore& speicher);
};

} // namespace parlix
