#pragma once

#include "app/ui/SchwebeFenster.hpp"

namespace parlix {

class GlasVerlaufAnsicht;

// The floating glass panel (560 × 660) that holds the history. It takes clicks but never
// the keyboard focus. Main thread.
class GlasVerlaufFenster final : public SchwebeFenster {
    Q_OBJECT

public:
    static constexpr int breite = 560;
    static constexpr int hoehe = 660;
    // Room around the glass body for its shadow.
    static constexpr int schatten = 18;

    GlasVerlaufFenster(GlasVerlaufAnsicht* ansicht, Arbeitsflaeche& arbeitsflaeche);

    GlasVerlaufAnsicht& ansicht() const { return *ansicht_; }
    // Centred on the screen the user works on, 40 points above its middle.
    void zentriere();

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    QRegion form() const override;

private:
    QRectF koerper() const;

    GlasVerlaufAnsicht* ansicht_;
};

} // namespace parlix
