#include "bench/kennzahlen/XZeitlinie.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/record.h>
#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace parlix::bench {

struct XZeitlinie::Verbindungen {
    Display* steuerung = nullptr;
    Display* daten = nullptr;
    XRecordContext kontext = 0;

    ~Verbindungen() {
        for (Display* d : {daten, steuerung}) {
            if (d != nullptr) {
                XCloseDisplay(d);
            }
        }
    }
};

namespace {

// What the recording thread needs: which keycodes are modifiers (read before, so that
// the thread never touches a connection), and where the steps go.
struct Empfang {
    std::array<bool, 256> modifikator{};
    std::function<void(const XZeitlinie::Schritt&)> nimm;
};

std::optional<XZeitlinie::Schritt> deute(const Empfang& empfang, const XRecordInterceptData& daten,
                                         XZeitlinie::Uhr::time_point zeit) {
    if (daten.data == nullptr || daten.data_len == 0) {
        return std::nullopt;
    }
    const auto* bytes = daten.data;
    const int typ = bytes[0] & 0x7f;
    using Art = XZeitlinie::Art;
    if (daten.category == XRecordFromServer && (typ == KeyPress || typ == KeyRelease)) {
        return XZeitlinie::Schritt{typ == KeyPress ? Art::tasteGedrueckt : Art::tasteLosgelassen,
                                   zeit, empfang.modifikator[bytes[1]]};
    }
    if (daten.category == XRecordFromServer && typ == SelectionRequest) {
        return XZeitlinie::Schritt{Art::auswahlAnfrage, zeit};
    }
    // A SendEvent request: its event starts 12 bytes in (opcode, propagate, length,
    // destination, event mask).
    if (daten.category == XRecordFromClient && bytes[0] == X_SendEvent &&
        daten.data_len * 4 >= 44 && (bytes[12] & 0x7f) == SelectionNotify) {
        return XZeitlinie::Schritt{Art::auswahlAntwort, zeit};
    }
    return std::nullopt;
}

void empfange(XPointer zeiger, XRecordInterceptData* daten) {
    const auto zeit = XZeitlinie::Uhr::now();
    const auto* empfang = reinterpret_cast<const Empfang*>(zeiger);
    if (const auto schritt = deute(*empfang, *daten, zeit)) {
        empfang->nimm(*schritt);
    }
    XRecordFreeData(daten);
}

} // namespace

XZeitlinie::XZeitlinie(const QString& anzeige)
    : x_(std::make_unique<Verbindungen>()) {
    const QByteArray name = anzeige.toLocal8Bit();
    x_->steuerung = XOpenDisplay(name.constData());
    x_->daten = XOpenDisplay(name.constData());
    int haupt = 0;
    int neben = 0;
    if (x_->steuerung == nullptr || x_->daten == nullptr ||
        !XRecordQueryVersion(x_->steuerung, &haupt, &neben)) {
        fehler_ = u"no RECORD extension on "_s + anzeige;
        return;
    }
    XRecordRange* bereich = XRecordAllocRange();
    bereich->device_events = {KeyPress, KeyRelease};
    bereich->delivered_events = {SelectionRequest, SelectionRequest};
    bereich->core_requests = {X_SendEvent, X_SendEvent};
    XRecordClientSpec alle = XRecordAllClients;
    x_->kontext = XRecordCreateContext(x_->steuerung, 0, &alle, 1, &bereich, 1);
    XFree(bereich);
    if (x_->kontext == 0) {
        fehler_ = u"no RECORD context"_s;
        return;
    }
    XSync(x_->steuerung, False);
    auto empfang = std::make_shared<Empfang>();
    empfang->nimm = [this](const Schritt& schritt) { nimm(schritt); };
    for (unsigned code = 8; code < 256; ++code) {
        empfang->modifikator[code] =
            IsModifierKey(XkbKeycodeToKeysym(x_->steuerung, static_cast<KeyCode>(code), 0, 0));
    }
    faden_ = std::thread([this, empfang] {
        XRecordEnableContext(x_->daten, x_->kontext, &empfange,
                             reinterpret_cast<XPointer>(empfang.get()));
    });
}

XZeitlinie::~XZeitlinie() {
    if (faden_.joinable()) {
        XRecordDisableContext(x_->steuerung, x_->kontext);
        XSync(x_->steuerung, False);
        faden_.join();
    }
    if (x_->kontext != 0) {
        XRecordFreeContext(x_->steuerung, x_->kontext);
    }
}

void XZeitlinie::nimm(const Schritt& schritt) {
    std::lock_guard sperre(sperre_);
    schritte_.push_back(schritt);
}

void XZeitlinie::leere() {
    std::lock_guard sperre(sperre_);
    schritte_.clear();
}

std::optional<XZeitlinie::Uhr::time_point>
XZeitlinie::erster(Art art, Uhr::time_point ab, bool modifikator, std::chrono::milliseconds frist) {
    const auto ende = Uhr::now() + frist;
    do {
        {
            std::lock_guard sperre(sperre_);
            for (const Schritt& s : schritte_) {
                const bool taste = art == Art::tasteGedrueckt || art == Art::tasteLosgelassen;
                if (s.art == art && s.zeit >= ab && (!taste || s.modifikator == modifikator)) {
                    return s.zeit;
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    } while (Uhr::now() < ende);
    return std::nullopt;
}

} // namespace parlix::bench
