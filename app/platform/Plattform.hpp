#pragma once

#include "app/platform/AXKontext.hpp"
#include "app/platform/AXVertrauen.hpp"
#include "app/platform/Arbeitsflaeche.hpp"
#include "app/platform/AudioRecorder.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/Barrierefreiheit.hpp"
#include "app/platform/BrowserText.hpp"
#include "app/platform/DesktopZugang.hpp"
#include "app/platform/EscMonitor.hpp"
#include "app/platform/FensterFoto.hpp"
#include "app/platform/Klangspieler.hpp"
#include "app/platform/Kopierablage.hpp"
#include "app/platform/MikrofonDienst.hpp"
#include "app/platform/Stummschalter.hpp"
#include "app/platform/TastenUmleitung.hpp"
#include "app/platform/TextInserter.hpp"
#include "app/platform/Texterkennung.hpp"
#include "app/platform/Ueberlagerung.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "core/hotkeys/TastenQuelle.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace parlix {

// Every operating-system service of the running program, each behind its interface.
// The platform assembly fills every member; a service the desktop cannot provide is
// filled with an implementation that does nothing and says so once in the log. The
// services are shared, so that one object may serve several of them; the key source
// is handed on to the key tap.
struct Plattform {
    // What several services share (a connection, a worker thread); it goes after them.
    std::vector<std::shared_ptr<void>> gemeinsam;
    AudioRecorderFabrik recorder;
    // Whether a microphone can be opened at all; asked once at start for the log.
    std::function<bool()> mikrofonErreichbar;
    std::shared_ptr<Stummschalter> stummschalter;
    std::shared_ptr<Klangspieler> klaenge;
    std::unique_ptr<TastenQuelle> tasten;
    // The key source's side of recording a new hotkey; the key source itself where it
    // can, so it lives as long as the key tap that takes over `tasten`.
    TastenUmleitung* umleitung = nullptr;
    std::shared_ptr<EscMonitor> escMonitor;
    std::shared_ptr<VollbildSonde> vollbild;
    std::shared_ptr<VordergrundApp> vordergrund;
    std::shared_ptr<Arbeitsflaeche> arbeitsflaeche;
    std::shared_ptr<AXVertrauen> vertrauen;
    std::shared_ptr<TextInserter> inserter;
    // The inserter's clipboard, for the texts the user pastes by hand.
    std::shared_ptr<Kopierablage> kopierablage;
    std::shared_ptr<AXKontext> axKontext;
    std::shared_ptr<AuswahlKopierer> auswahl;
    std::shared_ptr<FensterFoto> fensterFoto;
    std::shared_ptr<Texterkennung> texterkennung;
    std::shared_ptr<BrowserText> browserText;
    // Where the HUD and the live box go on a layer of the desktop's own; null where they
    // are windows of their own.
    std::shared_ptr<Ueberlagerung> ueberlagerung;
    // For the settings and the permission rows.
    std::shared_ptr<MikrofonDienst> mikrofone;
    std::shared_ptr<DesktopZugang> desktop;
    std::shared_ptr<Barrierefreiheit> barrierefreiheit;
    // The names of the bundled cues the settings offer.
    QStringList klangNamen;
};

} // namespace parlix
