#include "app/platform/x11/XFehlerFalle.hpp"

#include "app/platform/x11/XVerbindung.hpp"
#include "core/log/DateiLog.hpp"

#include <X11/Xlib.h>
#include <map>
#include <mutex>
#include <utility>

using namespace Qt::StringLiterals;

namespace parlix {

struct XFehlerHandler {
    static int behandle(Display* anzeige, XErrorEvent* fehler);
};

namespace {

// Every display of ours, with the innermost trap set on it (null while none is).
struct Verzeichnis {
    std::mutex sperre;
    std::map<Display*, XFehlerFalle*> fallen;
    XErrorHandler vorher = nullptr;
};

Verzeichnis& verzeichnis() {
    static Verzeichnis v;
    return v;
}

// Installs our handler again if someone replaced it (Qt installs its own when its
// display opens); the one found is kept for the displays that are not ours.
void stelleHandlerSicher(Verzeichnis& v) {
    const XErrorHandler bisher = XSetErrorHandler(XFehlerHandler::behandle);
    if (bisher != XFehlerHandler::behandle) {
        v.vorher = bisher;
    }
}

} // namespace

int XFehlerHandler::behandle(Display* anzeige, XErrorEvent* fehler) {
    Verzeichnis& v = verzeichnis();
    XErrorHandler weiter = nullptr;
    {
        std::lock_guard lock(v.sperre);
        const auto eintrag = v.fallen.find(anzeige);
        if (eintrag == v.fallen.end()) {
            weiter = v.vorher;
        } else if (eintrag->second != nullptr) {
            XFehlerFalle& falle = *eintrag->second;
            if (falle.erster_ == 0) {
                falle.erster_ = fehler->error_code;
            }
            return 0;
        }
    }
    if (weiter != nullptr) {
        return weiter(anzeige, fehler);
    }
    log().schreibe(u"X11-Fehler %1 bei Anfrage %2.%3"_s.arg(fehler->error_code)
                       .arg(fehler->request_code)
                       .arg(fehler->minor_code));
    return 0;
}

XFehlerFalle::XFehlerFalle(const XVerbindung& verbindung)
    : anzeige_(verbindung.anzeige()) {
    Verzeichnis& v = verzeichnis();
    std::lock_guard lock(v.sperre);
    stelleHandlerSicher(v);
    XFehlerFalle*& innerste = v.fallen[anzeige_];
    aeussere_ = innerste;
    innerste = this;
}

XFehlerFalle::~XFehlerFalle() {
    Verzeichnis& v = verzeichnis();
    std::lock_guard lock(v.sperre);
    const auto eintrag = v.fallen.find(anzeige_);
    if (eintrag != v.fallen.end()) {
        eintrag->second = aeussere_;
    }
}

int XFehlerFalle::fehler() {
    XSync(anzeige_, False);
    std::lock_guard lock(verzeichnis().sperre);
    return std::exchange(erster_, 0);
}

void XFehlerFalle::uebernimm(_XDisplay* anzeige) {
    Verzeichnis& v = verzeichnis();
    std::lock_guard lock(v.sperre);
    stelleHandlerSicher(v);
    v.fallen.emplace(anzeige, nullptr);
}

void XFehlerFalle::gibFrei(_XDisplay* anzeige) {
    Verzeichnis& v = verzeichnis();
    std::lock_guard lock(v.sperre);
    v.fallen.erase(anzeige);
}

} // namespace parlix
