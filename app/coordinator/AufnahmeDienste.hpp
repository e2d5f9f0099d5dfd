#pragma once

#include "app/coordinator/LiveTranskription.hpp"
#include "app/coordinator/pipeline/PipelineDienste.hpp"
#include "app/platform/AudioRecorder.hpp"

namespace parlix {

class AXVertrauen;
class DefaultsStore;
class EscMonitor;
class Klangspieler;
class MainQueue;
class Stummschalter;
class TextInserter;
class VerlaufStore;
class VordergrundApp;

// Everything the recording coordinator uses of the program and the operating system.
// The referenced objects must outlive the coordinator.
struct AufnahmeDienste {
    MainQueue& mainQueue;
    DefaultsStore& speicher;
    VerlaufStore& verlauf;
    AudioRecorderFabrik recorder;
    // Empty: recordings are not streamed.
    LiveTranskriptionFabrik stream;
    Stummschalter& stummschalter;
    Klangspieler& klaenge;
    EscMonitor& escMonitor;
    VordergrundApp& vordergrund;
    AXVertrauen& vertrauen;
    TextInserter& inserter;
    // What the runs of the pipeline use; the coordinator only hands it on.
    PipelineDienste pipeline;
};

} // namespace parlix
