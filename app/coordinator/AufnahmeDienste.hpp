#pragma once

#include "app/coordinator/LiveTranskription.hpp"
#include "app/platform/AudioRecorder.hpp"

namespace parlix {

class AXKontext;
class AXVertrauen;
class AuswahlKopierer;
class BrowserText;
class DefaultsStore;
class EscMonitor;
class FensterFoto;
class HttpTransport;
class Klangspieler;
class MainQueue;
class Stummschalter;
class TextInserter;
class Texterkennung;
class VerlaufStore;
class VordergrundApp;

// Everything the recording coordinator uses of the program and the operating system.
// The referenced objects must outlive the coordinator.
struct AufnahmeDienste {
    MainQueue& mainQueue;
    DefaultsStore& speicher;
    VerlaufStore& verlauf;
    // The shared HTTP client of every service call.
    HttpTransport& http;
    AudioRecorderFabrik recorder;
    // Empty: recordings are not streamed.
    LiveTranskriptionFabrik stream;
    Stummschalter& stummschalter;
    Klangspieler& klaenge;
    EscMonitor& escMonitor;
    VordergrundApp& vordergrund;
    AXVertrauen& vertrauen;
    TextInserter& inserter;
    AXKontext& axKontext;
    AuswahlKopierer& auswahl;
    FensterFoto& fensterFoto;
    Texterkennung& texterkennung;
    BrowserText& browserText;
};

} // namespace parlix
