#include "app/platform/wayland/layershell/LayerFlaeche.hpp"

#include "app/platform/wayland/ShmPuffer.hpp"
#include "app/platform/wayland/layershell/LayerShellUeberlagerung.hpp"
#include "wlr-layer-shell-unstable-v1.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <wayland-client.h>

namespace parlix {

LayerFlaeche::LayerFlaeche(LayerShellUeberlagerung& shell, QWidget& fenster,
                           Ueberlagerung::Platzierung platzierung)
    : shell_(shell)
    , fenster_(&fenster)
    , platzierung_(std::move(platzierung)) {
    fenster.setAttribute(Qt::WA_DontShowOnScreen);
    fenster.installEventFilter(this);
    connect(&fenster, &QObject::destroyed, this, &LayerFlaeche::verschwinde);
    takt_.setTimerType(Qt::PreciseTimer);
    takt_.setInterval(bildIntervallMs);
    connect(&takt_, &QTimer::timeout, this, &LayerFlaeche::zeichneBild);
}

LayerFlaeche::~LayerFlaeche() {
    if (fenster_) {
        fenster_->removeEventFilter(this);
    }
    verschwinde();
}

bool LayerFlaeche::eventFilter(QObject* /*objekt*/, QEvent* ereignis) {
    switch (ereignis->type()) {
    case QEvent::Show:
        erscheine();
        break;
    case QEvent::Hide:
        verschwinde();
        break;
    case QEvent::UpdateRequest:
        schmutzig_ = true;
        break;
    case QEvent::Paint:
        // Qt's own backing store is never shown: spare it the drawing.
        return !selbstGemalt_;
    default:
        break;
    }
    return false;
}

void LayerFlaeche::erscheine() {
    const QSize punkte = fenster_->size();
    const int abstand = platzierung_.randUnten().value_or(0);
    const QByteArray name = fenster_->windowTitle().toUtf8();
    shell_.verbindung().fuehreAus([&] { baue(punkte, abstand, name); });
    schmutzig_ = true;
    takt_.start();
}

void LayerFlaeche::verschwinde() {
    takt_.stop();
    shell_.verbindung().fuehreAus([this] {
        baueAb();
        // Kept while hidden they would only hold memory.
        for (auto& puffer : puffer_) {
            puffer.reset();
        }
    });
}

void LayerFlaeche::zeichneBild() {
    if (!fenster_ || !konfiguriert_) {
        return;
    }
    const int skala = skala_;
    const double deckkraft = platzierung_.deckkraft();
    if (!schmutzig_ && deckkraft == gezeigteDeckkraft_ && skala == gezeigteSkala_) {
        return;
    }
    const QSize punkte = fenster_->size();
    ShmPuffer* puffer = freierPuffer(punkte * skala);
    if (puffer == nullptr) {
        // Both still on the screen: the next frame.
        return;
    }
    male(*puffer, skala, deckkraft);
    if (shell_.verbindung().fuehreAus([&] { reiche(*puffer, punkte, skala); })) {
        schmutzig_ = false;
        gezeigteDeckkraft_ = deckkraft;
        gezeigteSkala_ = skala;
    }
}

ShmPuffer* LayerFlaeche::freierPuffer(QSize pixel) {
    bool passend = false;
    for (const auto& puffer : puffer_) {
        if (puffer && puffer->groesse() == pixel) {
            if (!puffer->belegt()) {
                return puffer.get();
            }
            passend = true;
        }
    }
    if (passend) {
        return nullptr;
    }
    // A new size: a new pair.
    shell_.verbindung().fuehreAus([&] {
        for (auto& puffer : puffer_) {
            puffer =
                ShmPuffer::erstelle(shell_.shm(), pixel, pixel.width() * 4, WL_SHM_FORMAT_ARGB8888);
        }
    });
    return puffer_[0].get();
}

void LayerFlaeche::male(ShmPuffer& puffer, int skala, double deckkraft) {
    QImage& bild = puffer.bild();
    bild.setDevicePixelRatio(skala);
    bild.fill(Qt::transparent);
    selbstGemalt_ = true;
    fenster_->render(&bild, QPoint(), QRegion(), QWidget::DrawChildren);
    selbstGemalt_ = false;
    if (deckkraft < 1.0) {
        // The fade, which the compositor would have applied to a window's opacity.
        QPainter maler(&bild);
        maler.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        maler.fillRect(QRectF(QPointF(), QSizeF(bild.size())),
                       QColor(0, 0, 0, qRound(std::clamp(deckkraft, 0.0, 1.0) * 255)));
    }
}

void LayerFlaeche::baue(QSize punkte, int abstandUnten, const QByteArray& name) {
    static const wl_surface_listener flaechenHoerer{&betreten, &verlassen};
    static const zwlr_layer_surface_v1_listener schichtHoerer{&konfiguriert, &geschlossen};
    baueAb();
    skala_ = shell_.skala(nullptr);
    flaeche_ = wl_compositor_create_surface(shell_.compositor());
    wl_surface_add_listener(flaeche_, &flaechenHoerer, this);
    // An empty input region: clicks go to whatever lies below.
    wl_region* nichts = wl_compositor_create_region(shell_.compositor());
    wl_surface_set_input_region(flaeche_, nichts);
    wl_region_destroy(nichts);
    schicht_ = zwlr_layer_shell_v1_get_layer_surface(
        shell_.schicht(), flaeche_, nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, name.constData());
    zwlr_layer_surface_v1_add_listener(schicht_, &schichtHoerer, this);
    zwlr_layer_surface_v1_set_anchor(schicht_, ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM);
    zwlr_layer_surface_v1_set_margin(schicht_, 0, 0, abstandUnten, 0);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        schicht_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    zwlr_layer_surface_v1_set_size(schicht_, static_cast<std::uint32_t>(punkte.width()),
                                   static_cast<std::uint32_t>(punkte.height()));
    erbeteneGroesse_ = punkte;
    // Without a buffer: the compositor answers with the first configure.
    wl_surface_commit(flaeche_);
}

void LayerFlaeche::baueAb() {
    konfiguriert_ = false;
    if (schicht_ != nullptr) {
        zwlr_layer_surface_v1_destroy(schicht_);
        schicht_ = nullptr;
    }
    if (flaeche_ != nullptr) {
        wl_surface_destroy(flaeche_);
        flaeche_ = nullptr;
    }
}

void LayerFlaeche::reiche(ShmPuffer& puffer, QSize punkte, int skala) {
    if (flaeche_ == nullptr) {
        return;
    }
    if (punkte != erbeteneGroesse_) {
        zwlr_layer_surface_v1_set_size(schicht_, static_cast<std::uint32_t>(punkte.width()),
                                       static_cast<std::uint32_t>(punkte.height()));
        erbeteneGroesse_ = punkte;
    }
    wl_surface_set_buffer_scale(flaeche_, skala);
    wl_surface_attach(flaeche_, puffer.puffer(), 0, 0);
    wl_surface_damage_buffer(flaeche_, 0, 0, INT32_MAX, INT32_MAX);
    puffer.belege();
    wl_surface_commit(flaeche_);
}

void LayerFlaeche::konfiguriert(void* daten, zwlr_layer_surface_v1* schicht, std::uint32_t serial,
                                std::uint32_t /*breite*/, std::uint32_t /*hoehe*/) {
    // The size asked for stands: the surface is anchored to one edge only.
    zwlr_layer_surface_v1_ack_configure(schicht, serial);
    static_cast<LayerFlaeche*>(daten)->konfiguriert_ = true;
}

void LayerFlaeche::geschlossen(void* daten, zwlr_layer_surface_v1* /*schicht*/) {
    // Its output went away; the next showing makes a new one.
    static_cast<LayerFlaeche*>(daten)->baueAb();
}

void LayerFlaeche::betreten(void* daten, wl_surface* /*flaeche*/, wl_output* ausgabe) {
    auto* selbst = static_cast<LayerFlaeche*>(daten);
    selbst->skala_ = selbst->shell_.skala(ausgabe);
}

void LayerFlaeche::verlassen(void* /*daten*/, wl_surface* /*flaeche*/, wl_output* /*ausgabe*/) {}

} // namespace parlix
