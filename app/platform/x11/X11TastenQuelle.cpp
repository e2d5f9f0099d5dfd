#include "app/platform/x11/X11TastenQuelle.hpp"

#include "app/platform/linux/TastenZustand.hpp"
#include "app/platform/x11/EigeneTastenMarke.hpp"
#include "app/platform/x11/X11Dienste.hpp"
#include "app/platform/x11/XGriffe.hpp"
#include "app/platform/x11/XRohTasten.hpp"
#include "app/platform/x11/XVerbindung.hpp"
#include "core/hotkeys/HotkeyRecorder.hpp"
#include "core/log/DateiLog.hpp"

#include <X11/Xlib.h>
#include <atomic>
#include <optional>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// How long an injection of our own waits for the key thread to catch up at most.
constexpr std::chrono::milliseconds aufholFrist{250};

} // namespace

// The recording in the settings window. The flag is read on the key thread; the rest is
// main thread, reached from posted jobs through a weak reference.
struct X11TastenQuelle::Umleitung {
    std::atomic<bool> aktiv{false};
    HotkeyRecorder* recorder = nullptr;
    X11TastenQuelle* quelle = nullptr;

    void fuettere(const TastenZustand::Ereignis& e) {
        if (recorder == nullptr) {
            return;
        }
        recorder->ereignis(e.typ, static_cast<quint16>(e.keyCode), e.flags);
        if (recorder != nullptr && !recorder->nimmtAuf()) {
            quelle->beendeUmleitung();
        }
    }
};

// Everything the key thread owns; set up on it.
struct X11TastenQuelle::Faden {
    Faden(MainQueue& queue, std::shared_ptr<Umleitung> umleitung, Behandler behandler)
        : queue(queue)
        , umleitung(std::move(umleitung))
        , behandler(std::move(behandler)) {}

    MainQueue& queue;
    std::shared_ptr<Umleitung> umleitung;
    Behandler behandler;
    bool verbunden = false;
    XRohTasten roh;
    TastenZustand zustand;
    std::optional<XGriffe> griffe;

    bool richteEin(const XVerbindung& verbindung, std::vector<XGriffe::Griff> plan) {
        verbunden = true;
        if (!roh.abonniere(verbindung)) {
            log().schreibe(u"X11: der X-Server kann kein XInput 2.1, globale Tasten fehlen"_s);
            return false;
        }
        griffe.emplace(verbindung);
        griffe->setze(std::move(plan), roh.tabelle());
        return true;
    }

    void ereignis(const XVerbindung& verbindung, XEvent& ereignis) {
        if (roh.mappingGeaendert(verbindung, ereignis)) {
            wendeGriffeAn(false);
            return;
        }
        const auto taste = roh.lies(verbindung, ereignis);
        if (!taste) {
            return;
        }
        // The state follows our own keystrokes too: each press has its release.
        const auto e = zustand.verarbeite(roh.tabelle(), taste->xKeycode, taste->gedrueckt,
                                          taste->wiederholung);
        if (!e || EigeneTastenMarke::gesetzt()) {
            return;
        }
        if (umleitung->aktiv.load()) {
            queue.post([schwach = std::weak_ptr<Umleitung>(umleitung), e = *e] {
                if (const auto u = schwach.lock()) {
                    u->fuettere(e);
                }
            });
            return;
        }
        // What the handler claims is swallowed by the grabs already.
        behandler(e->typ, e->keyCode, e->flags);
    }

    // Grabs what the plan says, or nothing while a recording runs.
    void wendeGriffeAn(bool neuerPlan, std::vector<XGriffe::Griff> plan = {}) {
        griffe->setzePause(umleitung->aktiv.load());
        if (neuerPlan) {
            griffe->setze(std::move(plan), roh.tabelle());
        } else {
            griffe->erneuere(roh.tabelle());
        }
    }
};

X11TastenQuelle::X11TastenQuelle(MainQueue& queue, DefaultsStore& speicher)
    : queue_(queue)
    , speicher_(speicher)
    , umleitung_(std::make_shared<Umleitung>())
    , xFaden_("parlix-tasten") {
    umleitung_->quelle = this;
}

X11TastenQuelle::~X11TastenQuelle() = default;

void X11TastenQuelle::starte(Behandler behandler, Bereit bereit) {
    // Under Wayland the X server (XWayland) sees only the keys typed into its own windows:
    // hotkeys that work in some applications only would be worse than none.
    if (X11Dienste::istWaylandSitzung()) {
        log().schreibe(u"X11: Wayland-Sitzung (WAYLAND_DISPLAY=\"%1\"), globale Tasten über "
                       u"X11 nicht möglich"_s.arg(qEnvironmentVariable("WAYLAND_DISPLAY")));
        bereit(false);
        return;
    }
    faden_ = std::make_unique<Faden>(queue_, umleitung_, std::move(behandler));
    Faden& f = *faden_;
    auto plan = XGriffe::ausEinstellungen(speicher_);
    xFaden_.starte({
        [&f, plan = std::move(plan)](XVerbindung& v) mutable {
            return f.richteEin(v, std::move(plan));
        },
        [&f](XVerbindung& v, XEvent& e) { f.ereignis(v, e); },
        [&f, bereit = std::move(bereit)](bool erfolgreich) {
            if (!f.verbunden) {
                log().schreibe(u"X11: keine X-Anzeige erreichbar (DISPLAY=\"%1\"), "
                               u"globale Tasten fehlen"_s.arg(qEnvironmentVariable("DISPLAY")));
            }
            bereit(erfolgreich);
        },
    });
    hoerer_ = EigeneTastenMarke::meldeHoerer(xFaden_.aufholer(aufholFrist));
}

void X11TastenQuelle::leiteUm(HotkeyRecorder& recorder) {
    umleitung_->recorder = &recorder;
    umleitung_->aktiv = true;
    // The hotkeys swallow nothing meanwhile, as if they were switched off.
    wendeGriffeAn();
}

void X11TastenQuelle::beendeUmleitung() {
    if (!umleitung_->aktiv) {
        return;
    }
    umleitung_->recorder = nullptr;
    umleitung_->aktiv = false;
    hotkeysGeaendert();
}

void X11TastenQuelle::hotkeysGeaendert() {
    wendeGriffeAn();
}

void X11TastenQuelle::wendeGriffeAn() {
    if (!faden_) {
        return;
    }
    xFaden_.fuehreAus([&f = *faden_, plan = XGriffe::ausEinstellungen(speicher_)](
                          XVerbindung&) mutable { f.wendeGriffeAn(true, std::move(plan)); });
    // Returns with the grabs in place: the next key already finds them.
    xFaden_.holeAuf(aufholFrist);
}

} // namespace parlix
