#include "app/platform/tesseract/TesseractBibliothek.hpp"

#include "core/log/DateiLog.hpp"

#include <cstdlib>
#include <dlfcn.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

template <class F> bool binde(void* bibliothek, F& funktion, const char* name) {
    funktion = reinterpret_cast<F>(dlsym(bibliothek, name));
    return funktion != nullptr;
}

std::optional<TesseractBibliothek> lade() {
    void* h = dlopen("libtesseract.so.5", RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        log().schreibe(u"FEHLER: Tesseract nicht ladbar: "_s + QString::fromLocal8Bit(dlerror()));
        return std::nullopt;
    }
    TesseractBibliothek b;
    const bool vollstaendig =
        binde(h, b.erzeuge, "TessBaseAPICreate") && binde(h, b.loesche, "TessBaseAPIDelete") &&
        binde(h, b.starte, "TessBaseAPIInit3") && binde(h, b.setzeBild, "TessBaseAPISetImage") &&
        binde(h, b.setzeAufloesung, "TessBaseAPISetSourceResolution") &&
        binde(h, b.erkenne, "TessBaseAPIRecognize") && binde(h, b.text, "TessBaseAPIGetUTF8Text") &&
        binde(h, b.loescheText, "TessDeleteText") && binde(h, b.leere, "TessBaseAPIClear") &&
        binde(h, b.erzeugeMonitor, "TessMonitorCreate") &&
        binde(h, b.loescheMonitor, "TessMonitorDelete") &&
        binde(h, b.setzeFrist, "TessMonitorSetDeadlineMSecs");
    if (!vollstaendig) {
        log().schreibe(u"FEHLER: Tesseract unvollständig"_s);
        return std::nullopt;
    }
    // Never unloaded: engines of threads that end later still use it.
    return b;
}

} // namespace

void TesseractBibliothek::bereiteVor() {
    // Only when unset: a limit the user chose stays.
    setenv("OMP_THREAD_LIMIT", "1", 0);
}

const TesseractBibliothek* TesseractBibliothek::geladen() {
    static const std::optional<TesseractBibliothek> bibliothek = lade();
    return bibliothek ? &*bibliothek : nullptr;
}

} // namespace parlix
