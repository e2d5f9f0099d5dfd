#include "app/ui/hud/HUDZeichner.hpp"

#include "app/ui/hud/HUDBild.hpp"

#include <QPaintDevice>
#include <QPainter>
#include <QThreadPool>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace parlix {

namespace {

QSize pixelGroesse(const QSize& fenster, qreal verhaeltnis) {
    return (QSizeF(fenster) * verhaeltnis).toSize();
}

QImage leeresBild(const QSize& fenster, qreal verhaeltnis) {
    QImage bild(pixelGroesse(fenster, verhaeltnis), QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(verhaeltnis);
    bild.fill(Qt::transparent);
    return bild;
}

bool passt(const QImage& bild, const QSize& fenster, qreal verhaeltnis) {
    return bild.devicePixelRatio() == verhaeltnis &&
           bild.size() == pixelGroesse(fenster, verhaeltnis);
}

// Runs `arbeit` on a thread of the global pool and waits for it; here when the pool has
// no thread free. (Qt draws text into images on any thread.) The hand-over uses the
// standard library's lock, which the thread sanitizer sees, rather than Qt's.
void imPool(const std::function<void()>& arbeit) {
    std::mutex sperre;
    std::condition_variable signal;
    bool fertig = false;
    if (!QThreadPool::globalInstance()->tryStart([&] {
            arbeit();
            const std::lock_guard gesperrt(sperre);
            fertig = true;
            signal.notify_one();
        })) {
        arbeit();
        return;
    }
    std::unique_lock gesperrt(sperre);
    signal.wait(gesperrt, [&] { return fertig; });
}

} // namespace

QRegion HUDZeichner::plane(const HUDMoment& m, const QSize& fenster) {
    const std::optional<HUDMoment> vorher = std::exchange(geplant_, m);
    const QSize groesseVorher = std::exchange(geplanteGroesse_, fenster);
    if (!vorher || groesseVorher != fenster || vorher->deckkraft != m.deckkraft ||
        !HUDBild::gleicherSchein(*vorher, m) || !HUDBild::gleicherGrund(*vorher, m)) {
        // Nothing shown before and nothing now: the frame is as empty as the last.
        return vorher && vorher->deckkraft <= 0.0 && m.deckkraft <= 0.0 && groesseVorher == fenster
                   ? QRegion()
                   : QRegion(0, 0, fenster.width(), fenster.height());
    }
    if (m.deckkraft <= 0.0 || (HUDBild::bewegungRuht(*vorher) && HUDBild::bewegungRuht(m))) {
        return {};
    }
    return HUDBild::bewegungsFlaeche(QSizeF(fenster));
}

const QImage& HUDZeichner::bild(const QRegion& teil, const QSize& fenster, qreal verhaeltnis,
                                const HUDMoment& m) {
    QRegion neu = teil;
    if (!passt(fenster_, fenster, verhaeltnis)) {
        fenster_ = leeresBild(fenster, verhaeltnis);
        neu = QRegion(0, 0, fenster.width(), fenster.height());
    }
    imPool([&] {
        QPainter maler(&fenster_);
        maler.setClipRegion(neu);
        maler.setCompositionMode(QPainter::CompositionMode_Source);
        maler.fillRect(QRect(QPoint(), fenster), Qt::transparent);
        maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
        zeichne(maler, fenster, m);
    });
    return fenster_;
}

void HUDZeichner::zeichne(QPainter& maler, const QSize& fenster, const HUDMoment& m) {
    if (m.deckkraft <= 0.0) {
        return;
    }
    const qreal verhaeltnis = maler.device()->devicePixelRatioF();
    if (m.deckkraft >= 1.0) {
        maler.drawImage(0, 0, stillesBild(fenster, verhaeltnis, m));
    } else {
        // While the content fades the glow shows through the still layer as that fades.
        HUDBild::zeichneSchein(maler, QSizeF(fenster), m);
        maler.save();
        maler.setOpacity(m.deckkraft);
        maler.drawImage(0, 0, grund(fenster, verhaeltnis, m));
        maler.restore();
    }
    HUDBild::zeichneBewegung(maler, QSizeF(fenster), m);
}

const QImage& HUDZeichner::grund(const QSize& fenster, qreal verhaeltnis, const HUDMoment& m) {
    if (!grund_.fuer || !HUDBild::gleicherGrund(*grund_.fuer, m) ||
        !passt(grund_.bild, fenster, verhaeltnis)) {
        grund_.bild = leeresBild(fenster, verhaeltnis);
        HUDMoment voll = m;
        voll.deckkraft = 1.0;
        QPainter stift(&grund_.bild);
        HUDBild::zeichneGrund(stift, QSizeF(fenster), voll);
        grund_.fuer = voll;
    }
    return grund_.bild;
}

const QImage& HUDZeichner::stillesBild(const QSize& fenster, qreal verhaeltnis,
                                       const HUDMoment& m) {
    if (!still_.fuer || !HUDBild::gleicherGrund(*still_.fuer, m) ||
        !HUDBild::gleicherSchein(*still_.fuer, m) || !passt(still_.bild, fenster, verhaeltnis)) {
        const QImage& unten = grund(fenster, verhaeltnis, m);
        if (passt(still_.bild, fenster, verhaeltnis)) {
            still_.bild.fill(Qt::transparent);
        } else {
            still_.bild = leeresBild(fenster, verhaeltnis);
        }
        QPainter stift(&still_.bild);
        HUDBild::zeichneSchein(stift, QSizeF(fenster), m);
        stift.drawImage(0, 0, unten);
        still_.fuer = m;
    }
    return still_.bild;
}

} // namespace parlix
