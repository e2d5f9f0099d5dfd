#include "app/platform/wayland/Bildschirmkopie.hpp"

#include "app/platform/Arbeitsflaeche.hpp"
#include "app/platform/wayland/ShmPuffer.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "wlr-screencopy-unstable-v1.h"

#include <QBuffer>
#include <QImage>
#include <chrono>
#include <wayland-client.h>

namespace parlix {

namespace {

struct Aufnahme {
    wl_shm* shm = nullptr;
    std::unique_ptr<ShmPuffer> puffer;
    bool gespiegelt = false;
    bool fertig = false;
    bool fehler = false;

    QImage bild() const {
        // A copy: the shared memory goes with this object.
        const QImage kopie = puffer->bild().copy();
        return gespiegelt ? kopie.mirrored() : kopie;
    }
};

void pufferKam(void* daten, zwlr_screencopy_frame_v1* rahmen, uint32_t format, uint32_t breite,
               uint32_t hoehe, uint32_t zeile) {
    auto* a = static_cast<Aufnahme*>(daten);
    if (a->puffer) {
        return;
    }
    a->puffer =
        ShmPuffer::erstelle(a->shm, QSize(static_cast<int>(breite), static_cast<int>(hoehe)),
                            static_cast<int>(zeile), format);
    if (!a->puffer) {
        a->fehler = true;
        return;
    }
    zwlr_screencopy_frame_v1_copy(rahmen, a->puffer->puffer());
}
void flagsKamen(void* daten, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<Aufnahme*>(daten)->gespiegelt =
        (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void bereitKam(void* daten, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    static_cast<Aufnahme*>(daten)->fertig = true;
}
void fehlerKam(void* daten, zwlr_screencopy_frame_v1*) {
    static_cast<Aufnahme*>(daten)->fehler = true;
}
void schadenKam(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void dmabufKam(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void pufferFertig(void*, zwlr_screencopy_frame_v1*) {}

const zwlr_screencopy_frame_v1_listener rahmenHoerer{pufferKam,  flagsKamen, bereitKam,   fehlerKam,
                                                     schadenKam, dmabufKam,  pufferFertig};

} // namespace

bool Bildschirmkopie::bereit() const {
    return verbindung_.bietet("zwlr_screencopy_manager_v1") && verbindung_.bietet("wl_output");
}

std::optional<QByteArray> Bildschirmkopie::fensterScreenshot() {
    const auto rahmen = arbeitsflaeche_.fokusFenster();
    return rahmen && !rahmen->isEmpty() ? bereich(*rahmen) : std::nullopt;
}

std::optional<QByteArray> Bildschirmkopie::bereich(const QRect& bereich) {
    if (!bereit()) {
        return std::nullopt;
    }
    const auto bild = verbindung_.frage<QImage>([&] {
        auto* verwalter = static_cast<zwlr_screencopy_manager_v1*>(
            verbindung_.binde(&zwlr_screencopy_manager_v1_interface, 3));
        auto* ausgabe = static_cast<wl_output*>(verbindung_.binde(&wl_output_interface, 1));
        Aufnahme a;
        a.shm = static_cast<wl_shm*>(verbindung_.binde(&wl_shm_interface, 1));
        if (verwalter == nullptr || ausgabe == nullptr || a.shm == nullptr) {
            return QImage();
        }
        auto* rahmen = zwlr_screencopy_manager_v1_capture_output_region(
            verwalter, 0, ausgabe, bereich.x(), bereich.y(), bereich.width(), bereich.height());
        zwlr_screencopy_frame_v1_add_listener(rahmen, &rahmenHoerer, &a);
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!a.fertig && !a.fehler && std::chrono::steady_clock::now() < ende &&
               verbindung_.rundlauf()) {
        }
        QImage ergebnis = a.fertig ? a.bild() : QImage();
        zwlr_screencopy_frame_v1_destroy(rahmen);
        wl_shm_destroy(a.shm);
        wl_output_destroy(ausgabe);
        zwlr_screencopy_manager_v1_destroy(verwalter);
        return ergebnis;
    });
    if (!bild || bild->isNull()) {
        return std::nullopt;
    }
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    if (!bild->save(&puffer, "PNG")) {
        return std::nullopt;
    }
    return png;
}

} // namespace parlix
