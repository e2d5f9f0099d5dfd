#pragma once

#include "app/ui/Feder.hpp"
#include "app/ui/SchwebeFenster.hpp"
#include "app/ui/livebox/LiveBoxFenster.hpp"

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace parlix {

class LiveBoxModel;

// The live word box: a click-through glass capsule 220 points above the bottom of the
// screen with the focused window, showing the newest words of the live transcript.
// New words fade and grow in (from 90 %) and the row glides on a spring as words come
// and go; the row fades out towards its left edge when it is full. It redraws only
// while something moves, and only the capsule. Main thread.
class LiveBoxWidget final : public SchwebeFenster, public LiveBoxFenster {
    Q_OBJECT

public:
    explicit LiveBoxWidget(Arbeitsflaeche& arbeitsflaeche);

    void zeige(LiveBoxModel& model) override;
    void verstecke() override;

    bool animiert() const { return takt_.isActive(); }
    // Lets every spring reach its target at once (the render harness shows the box at
    // rest).
    void beruhige();

    static constexpr int breite = 680;
    static constexpr int hoehe = 200;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    QRegion form() const override;

private:
    struct WortBild {
        qint64 id;
        QString text;
        double breite;
        Feder x;
        Feder sicht; // 0 absent ... 1 fully shown
        bool geht = false;
    };

    void verbinde(LiveBoxModel& model);
    void uebernimmWoerter();
    void naechstesBild();
    double reiheBreite() const;
    QRectF kapselRahmen() const;
    // The capsule with its shadow, in whole pixels: all a frame draws.
    QRect bildFlaeche() const;
    // Asks for a frame where the last one drew and where this one draws.
    void erneuere();
    void zeichneReihe(QPainter& maler, const QRectF& innen);

    QPointer<LiveBoxModel> model_;
    QList<WortBild> woerter_;
    Feder kapselBreite_;
    QTimer takt_;
    QElapsedTimer uhr_;
    QRect gezeichnet_;
    // The row's picture, kept between frames of the same size.
    QImage reihe_;
};

} // namespace parlix
