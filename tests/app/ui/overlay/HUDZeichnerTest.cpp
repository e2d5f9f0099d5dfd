#include "app/ui/hud/HUDZeichner.hpp"

#include "app/ui/hud/HUDBild.hpp"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

const QSize fenster = HUDBild::grundgroesse.toSize();

QImage leer() {
    QImage bild(fenster, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    return bild;
}

// The largest difference of one colour channel between two pictures of one size.
int groessterUnterschied(const QImage& a, const QImage& b) {
    int groesster = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* zeileA = reinterpret_cast<const uchar*>(a.constScanLine(y));
        const auto* zeileB = reinterpret_cast<const uchar*>(b.constScanLine(y));
        for (qsizetype i = 0; i < a.bytesPerLine(); ++i) {
            groesster = std::max(groesster, std::abs(zeileA[i] - zeileB[i]));
        }
    }
    return groesster;
}

// A dictation's frames: levels from silent to full, the lock, the morph to processing,
// pasting, a message, an error, the content fading to idle and a new recording. The
// clock jumps far between frames, so that the figures reach their extremes.
QList<HUDMoment> ablauf(HUDStil stil) {
    HUDMoment m;
    m.stil = stil;
    m.zustandText = u"Hört zu …"_s;
    QList<HUDMoment> bilder;
    const auto schritt = [&](const std::function<void(HUDMoment&)>& aendere) {
        m.t += 0.173;
        aendere(m);
        bilder << m;
    };
    for (int i = 0; i < 12; ++i) {
        schritt([i](HUDMoment& b) {
            b.pegel = std::array{0.0, 1.0, 0.4}[static_cast<std::size_t>(i / 3 % 3)];
            b.pegelVerlauf << static_cast<float>(b.pegel);
            b.gesperrt = i >= 9;
        });
    }
    for (const double morph : {0.0, 0.3, 0.7, 1.0, 1.0}) {
        schritt([morph](HUDMoment& b) {
            b.zustand = AppZustand::transkribierend;
            b.zustandText = u"Verarbeite …"_s;
            b.morph = morph;
        });
    }
    schritt([](HUDMoment& b) { b.zustand = AppZustand::einfuegend; });
    schritt([](HUDMoment& b) { b.hinweis = u"Der Text liegt in der Zwischenablage."_s; });
    schritt([](HUDMoment& b) { b.zustand = AppZustand::idle; });
    schritt([](HUDMoment&) {});
    schritt([](HUDMoment& b) {
        b.hinweis.reset();
        b.zustand = AppZustand::transkribierend;
        b.fehler = u"Kein Anbieter erreichbar."_s;
    });
    schritt([](HUDMoment&) {});
    for (const double deckkraft : {0.6, 0.2, 0.0, 0.0, 1.0}) {
        schritt([deckkraft](HUDMoment& b) {
            b.fehler.reset();
            b.zustand = deckkraft > 0.5 ? AppZustand::aufnehmend : AppZustand::idle;
            b.deckkraft = deckkraft;
        });
    }
    return bilder;
}

} // namespace

// A window shows the picture only where plane() asks for a frame, as Qt paints a
// translucent window: every frame must still look as the whole frame drawn afresh (a
// pixel left from an earlier frame would differ by far more than rounding), and that as
// the render harness's drawing of the moment.
TEST(HUDZeichner, FramesDrawnOnlyWhereTheyChangeLookLikeWholeFramesInEveryStyle) {
    for (const HUDStil& stil : HUDStil::alle()) {
        SCOPED_TRACE(stil.rohwert.toString().toStdString());
        HUDZeichner zeichner;
        QImage fensterBild = leer();
        int ausgelassen = 0;
        int teilweise = 0;
        const QList<HUDMoment> bilder = ablauf(stil);
        for (qsizetype nummer = 0; nummer < bilder.size(); ++nummer) {
            SCOPED_TRACE(nummer);
            const HUDMoment& m = bilder[nummer];
            const QRegion teil = zeichner.plane(m, fenster);
            ausgelassen += teil.isEmpty() ? 1 : 0;
            teilweise += !teil.isEmpty() && teil != QRegion(fensterBild.rect()) ? 1 : 0;
            if (!teil.isEmpty()) {
                QPainter maler(&fensterBild);
                maler.setClipRegion(teil);
                maler.setCompositionMode(QPainter::CompositionMode_Source);
                maler.drawImage(0, 0, zeichner.bild(teil, fenster, 1.0, m));
            }
            const QImage ganz =
                HUDZeichner().bild(QRegion(fensterBild.rect()), fenster, 1.0, m).copy();
            ASSERT_EQ(groessterUnterschied(fensterBild, ganz), 0);
            if (m.deckkraft >= 1.0) {
                QImage harness = leer();
                QPainter maler(&harness);
                HUDBild::zeichne(maler, QSizeF(fenster), m);
                // The still layer is blended from its own picture, and a fill on a pool
                // thread is not cut into slices: a few steps of rounding.
                EXPECT_LE(groessterUnterschied(ganz, harness), 6);
            }
        }
        // The error and the idle HUD stand still; the level moves the glow only now and then.
        EXPECT_GE(ausgelassen, 3);
        EXPECT_GE(teilweise, 3);
    }
}

} // namespace parlix::test
