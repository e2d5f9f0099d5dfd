#pragma once

#include "app/platform/Ueberlagerung.hpp"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

struct wl_output;
struct wl_surface;
struct zwlr_layer_surface_v1;

namespace parlix {

class LayerShellUeberlagerung;
class ShmPuffer;

// One overlay window on a surface of the overlay layer. The window never appears on the
// screen itself: while it is shown, its picture is drawn off screen into shared memory
// (two buffers, taking turns) and handed to the compositor whenever it repainted or its
// opacity changed, at most once a frame; while it is hidden the surface and its buffers
// are gone and nothing runs. Main thread; the protocol objects live on the connection's
// thread.
class LayerFlaeche final : public QObject {
public:
    LayerFlaeche(LayerShellUeberlagerung& shell, QWidget& fenster,
                 Ueberlagerung::Platzierung platzierung);
    ~LayerFlaeche() override;
    LayerFlaeche(const LayerFlaeche&) = delete;
    LayerFlaeche& operator=(const LayerFlaeche&) = delete;

    static constexpr int bildIntervallMs = 16;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void erscheine();
    void verschwinde();
    void zeichneBild();
    ShmPuffer* freierPuffer(QSize pixel);
    void male(ShmPuffer& puffer, int skala, double deckkraft);

    // On the connection's thread.
    void baue(QSize punkte, int abstandUnten, const QByteArray& name);
    // The surface goes; the buffers stay for the next one.
    void baueAb();
    void reiche(ShmPuffer& puffer, QSize punkte, int skala);
    static void konfiguriert(void* daten, zwlr_layer_surface_v1* schicht, std::uint32_t serial,
                             std::uint32_t breite, std::uint32_t hoehe);
    static void geschlossen(void* daten, zwlr_layer_surface_v1* schicht);
    static void betreten(void* daten, wl_surface* flaeche, wl_output* ausgabe);
    static void verlassen(void* daten, wl_surface* flaeche, wl_output* ausgabe);

    LayerShellUeberlagerung& shell_;
    QPointer<QWidget> fenster_;
    Ueberlagerung::Platzierung platzierung_;
    QTimer takt_;
    bool schmutzig_ = false;
    // Our own drawing runs, not Qt's into the backing store that is never shown.
    bool selbstGemalt_ = false;
    double gezeigteDeckkraft_ = -1.0;
    int gezeigteSkala_ = 0;
    // Made and replaced on the connection's thread while this thread waits for it; the
    // compositor's release of a buffer arrives there.
    std::array<std::unique_ptr<ShmPuffer>, 2> puffer_;

    // The connection's thread alone.
    wl_surface* flaeche_ = nullptr;
    zwlr_layer_surface_v1* schicht_ = nullptr;
    QSize erbeteneGroesse_;
    // Written there, read here.
    std::atomic<bool> konfiguriert_{false};
    std::atomic<int> skala_{1};
};

} // namespace parlix
