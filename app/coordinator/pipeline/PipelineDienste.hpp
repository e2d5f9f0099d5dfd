#pragma once

#include "core/concurrency/MainQueue.hpp"

#include <functional>

namespace parlix {

class AXKontext;
class AuswahlKopierer;
class BrowserText;
class FensterFoto;
class HttpTransport;
class Texterkennung;

// What the pipeline uses: the service calls and the reads of the user's screen. The
// referenced objects must outlive the pipeline and answer on its thread.
struct PipelineDienste {
    // The shared HTTP client of the transcription, chat and vision calls.
    HttpTransport& http;
    AXKontext& axKontext;
    AuswahlKopierer& auswahl;
    BrowserText& browserText;
    FensterFoto& fensterFoto;
    Texterkennung& texterkennung;
    // The clock that the run's stop time was taken from.
    std::function<MainQueue::Zeitpunkt()> jetzt;
};

} // namespace parlix
