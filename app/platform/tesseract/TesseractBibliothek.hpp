#pragma once

// libtesseract, loaded at run time. Only the files of this folder include this header.

#include <tesseract/capi.h>

namespace parlix {

// The functions of Tesseract's C interface that text recognition uses. The library is
// loaded on first use rather than linked, so that OMP_THREAD_LIMIT=1 is in the
// environment before its OpenMP runtime starts (the runtime reads it once, when it is
// loaded; without the limit every recognition spreads over all cores and several at
// once get many times slower).
struct TesseractBibliothek {
    decltype(&TessBaseAPICreate) erzeuge = nullptr;
    decltype(&TessBaseAPIDelete) loesche = nullptr;
    decltype(&TessBaseAPIInit3) starte = nullptr;
    decltype(&TessBaseAPISetImage) setzeBild = nullptr;
    decltype(&TessBaseAPISetSourceResolution) setzeAufloesung = nullptr;
    decltype(&TessBaseAPIRecognize) erkenne = nullptr;
    decltype(&TessBaseAPIGetUTF8Text) text = nullptr;
    decltype(&TessDeleteText) loescheText = nullptr;
    decltype(&TessBaseAPIClear) leere = nullptr;
    decltype(&TessMonitorCreate) erzeugeMonitor = nullptr;
    decltype(&TessMonitorDelete) loescheMonitor = nullptr;
    decltype(&TessMonitorSetDeadlineMSecs) setzeFrist = nullptr;

    // Puts the thread limit into the environment; on the main thread at start-up, before
    // other threads read the environment.
    static void bereiteVor();
    // The library, loaded once per process at the first call; null when it or a function
    // is missing. Thread-safe.
    static const TesseractBibliothek* geladen();
};

} // namespace parlix
