#include "app/ui/hud/HUDController.hpp"
#include "app/ui/hud/HexFarbe.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QColor fallback = QColor::fromRgbF(0.31f, 0.71f, 1.0f);

TEST(HexFarbe, SixHexDigitsWithOrWithoutHashElseTheFallback) {
    const QColor farbe = QColor::fromRgb(0x4F, 0xB4, 0xFF);
    for (const QString& hex : {u"#4FB4FF"_s, u"4FB4FF"_s, u" #4fb4ff\n"_s}) {
        EXPECT_EQ(farbeAusHex(hex), farbe) << hex.toStdString();
    }
    for (const QString& hex : {u"#4FB"_s, u"#GGGGGG"_s, u"##4FB4FF"_s, u"0x4FB4"_s, u"+4FB4F"_s,
                               u"#4FB4FF00"_s, u""_s}) {
        EXPECT_EQ(farbeAusHex(hex), fallback) << hex.toStdString();
    }
}

TEST(HUDPalette, VariantsOfTheAccentAreClampedAndTheHueWraps) {
    const QColor akzent = QColor::fromHsvF(0.98f, 0.5f, 0.95f);
    const HUDPalette palette(akzent);
    EXPECT_EQ(palette.rand, akzent);
    EXPECT_FLOAT_EQ(palette.hell.valueF(), 1.0f);
    EXPECT_NEAR(palette.hell.hsvSaturationF(), 0.2, 1e-3);
    EXPECT_NEAR(palette.mitte.hsvSaturationF(), 0.4, 1e-3);
    EXPECT_NEAR(palette.glow1.hsvHueF(), 0.98, 1e-3);
    EXPECT_NEAR(palette.glow2.hsvHueF(), 0.02, 1e-3);
    EXPECT_NEAR(palette.glow2.valueF(), 1.0, 1e-3);

    // Grey has no hue on Qt's side; it counts as hue 0.
    const HUDPalette grau(QColor::fromRgbF(0.5f, 0.5f, 0.5f));
    EXPECT_NEAR(grau.glow2.hsvHueF(), 0.04, 1e-3);
    EXPECT_NEAR(grau.mitte.valueF(), 0.62, 2e-3);
    EXPECT_EQ(HUDPalette(), HUDPalette(farbeAusHex(u"#4FB4FF"_s)));
}

TEST(HUDModel, AppearanceComesFromTheSettingsAndIsAnnouncedOnlyOnChange) {
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen(speicher);
    HUDModel model;
    QSignalSpy geaendert(&model, &HUDModel::darstellungGeaendert);

    model.ladeDarstellung(einstellungen);
    EXPECT_EQ(geaendert.count(), 0);
    einstellungen.setzeHudStil(u"orbit"_s);
    einstellungen.setzeHudFarbe(u"#FF0000"_s);
    einstellungen.setzeHudGroesse(1.5);
    model.ladeDarstellung(einstellungen);
    EXPECT_EQ(geaendert.count(), 1);
    EXPECT_EQ(model.stil().fall, HUDStil::Fall::orbit);
    EXPECT_EQ(model.palette().rand, QColor(Qt::red));
    EXPECT_EQ(model.groesse(), 1.5);

    einstellungen.setzeHudStil(u"Orbit"_s);
    einstellungen.setzeHudFarbe(u"rot"_s);
    model.ladeDarstellung(einstellungen);
    EXPECT_EQ(model.stil().fall, HUDStil::Fall::energie);
    EXPECT_EQ(model.palette().rand, fallback);

    QSignalSpy zustand(&model, &HUDModel::zustandGeaendert);
    model.setzeZustand(AppZustand::idle);
    model.setzeZustand(AppZustand::aufnehmend);
    model.setzeZustand(AppZustand::aufnehmend);
    EXPECT_EQ(zustand.count(), 1);
}

TEST(HUDModel, TheMorphEasesAndRestartsFromWhereItIs) {
    HUDModel model;
    const HUDModel::Zeitpunkt t0 = MainQueue::Uhr::now();
    EXPECT_EQ(model.morphWert(t0), 0.0);

    model.starteMorph(1.0, t0);
    EXPECT_DOUBLE_EQ(model.morphWert(t0), 0.0);
    EXPECT_DOUBLE_EQ(model.morphWert(t0 + 300ms), 0.5);
    EXPECT_DOUBLE_EQ(model.morphWert(t0 + 600ms), 1.0);
    EXPECT_DOUBLE_EQ(model.morphWert(t0 + 1h), 1.0);

    // A quarter of the way in time is 0.15625 of the way in value (smoothstep).
    model.starteMorph(0.0, t0 + 150ms);
    EXPECT_DOUBLE_EQ(model.morphVon, 0.15625);
    EXPECT_DOUBLE_EQ(model.morphWert(t0 + 450ms), 0.15625 / 2);

    model.setzeAnimationZurueck();
    EXPECT_EQ(model.morphWert(t0), 0.0);
    EXPECT_EQ(model.morphStart, HUDModel::ferneVergangenheit);
}

TEST(HUDController, WindowSizeFollowsTheScaleWithAMinimumOfHalf) {
    EXPECT_EQ(HUDController::fenstergroesse(0.3), QSizeF(180, 90));
    EXPECT_EQ(HUDController::fenstergroesse(1.0), QSizeF(360, 180));
    EXPECT_EQ(HUDController::fenstergroesse(2.0), QSizeF(720, 360));
    EXPECT_EQ(HUDController::fenstergroesse(std::nan("")), QSizeF(180, 90));
}

} // namespace
