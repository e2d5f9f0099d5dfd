#pragma once

#include "app/platform/AXKontext.hpp"
#include "app/platform/AXVertrauen.hpp"
#include "app/platform/AudioRecorder.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/BrowserText.hpp"
#include "app/platform/EscMonitor.hpp"
#include "app/platform/FensterFoto.hpp"
#include "app/platform/FokusOrt.hpp"
#include "app/platform/Klangspieler.hpp"
#include "app/platform/Stummschalter.hpp"
#include "app/platform/TextInserter.hpp"
#include "app/platform/Texterkennung.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "core/hotkeys/TastenQuelle.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace parlix {

// Every operating-system service of the running program, each behind its interface.
// The platform assembly fills every member; a service the desktop cannot provide is
// filled with an implementation that does nothing and says so once in the log.
struct Plattform {
    // What the services of a backend share (connections, threads); declared first, so
    // that it goes after them.
    std::vector<std::shared_ptr<void>> grundlagen;
    AudioRecorderFabrik recorder;
    // Whether a microphone can be opened at all; asked once at start for the log.
    std::function<bool()> mikrofonErreichbar;
    std::unique_ptr<Stummschalter> stummschalter;
    std::unique_ptr<Klangspieler> klaenge;
    std::unique_ptr<TastenQuelle> tasten;
    std::unique_ptr<EscMonitor> escMonitor;
    std::unique_ptr<VollbildSonde> vollbild;
    std::unique_ptr<VordergrundApp> vordergrund;
    std::unique_ptr<FokusOrt> fokusOrt;
    std::unique_ptr<AXVertrauen> vertrauen;
    std::unique_ptr<TextInserter> inserter;
    std::unique_ptr<AXKontext> axKontext;
    std::unique_ptr<AuswahlKopierer> auswahl;
    std::unique_ptr<FensterFoto> fensterFoto;
    std::unique_ptr<Texterkennung> texterkennung;
    std::unique_ptr<BrowserText> browserText;
};

} // namespace parlix
