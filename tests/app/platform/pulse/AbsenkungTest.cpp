#include "app/platform/pulse/Absenkung.hpp"

#include "app/platform/pulse/PulseVerbindung.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix {
namespace {

constexpr quint32 kNorm = PulseVerbindung::kLautstaerkeNorm;

PulseSenke mitLautstaerke(std::vector<quint32> kanaele, bool stumm = false) {
    return {u"senke"_s, std::move(kanaele), stumm};
}

PulseSenke ohneLautstaerke(bool stumm) {
    return {u"senke"_s, {}, stumm};
}

TEST(Absenkung, SkaliertDenLautestenKanalAufDieStufeUndBehaeltDieBalance) {
    const auto plan = Absenkung::plane(mitLautstaerke({52429, 36700}), 30);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->art, Absenkung::Art::Lautstaerke);
    EXPECT_EQ(plan->vorher, (std::vector<quint32>{52429, 36700}));
    EXPECT_EQ(plan->gesetzt, (std::vector<quint32>{19661, 13763}));

    // 0 % and negative levels silence every channel through the volume, not the mute.
    for (int stufe : {0, -20}) {
        const auto stumm = Absenkung::plane(mitLautstaerke({52429, 36700}), stufe);
        ASSERT_TRUE(stumm);
        EXPECT_EQ(stumm->art, Absenkung::Art::Lautstaerke);
        EXPECT_EQ(stumm->gesetzt, (std::vector<quint32>{0, 0}));
    }
}

TEST(Absenkung, HebtNieAnUndLaesstEineLeiseSenkeInRuhe) {
    EXPECT_FALSE(Absenkung::plane(mitLautstaerke({kNorm / 5, kNorm / 10}), 30));
    EXPECT_FALSE(Absenkung::plane(mitLautstaerke({0, 0}), 0));
    EXPECT_FALSE(Absenkung::plane(mitLautstaerke({kNorm}), 100));
    // An amplified sink (above 100 %) is lowered like any other.
    EXPECT_TRUE(Absenkung::plane(mitLautstaerke({kNorm * 3 / 2}), 99));
}

TEST(Absenkung, OhneLautstaerkeNurStummschaltenUndNurBeiNull) {
    EXPECT_FALSE(Absenkung::plane(ohneLautstaerke(false), 30));

    const auto stumm = Absenkung::plane(ohneLautstaerke(false), 0);
    ASSERT_TRUE(stumm);
    EXPECT_EQ(stumm->art, Absenkung::Art::Stumm);
    EXPECT_FALSE(stumm->warStumm);
    EXPECT_TRUE(stumm->nochGesetzt(ohneLautstaerke(true)));
    EXPECT_FALSE(stumm->nochGesetzt(ohneLautstaerke(false)));

    // Already muted: saved, so that the restore leaves it muted.
    const auto schonStumm = Absenkung::plane(ohneLautstaerke(true), 0);
    ASSERT_TRUE(schonStumm);
    EXPECT_TRUE(schonStumm->warStumm);
}

TEST(Absenkung, ErkenntEineAenderungDesBenutzersAberKeineRundung) {
    const auto plan = Absenkung::plane(mitLautstaerke({52429, 36700}), 30);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->nochGesetzt(mitLautstaerke({19661, 13763})));
    EXPECT_TRUE(plan->nochGesetzt(mitLautstaerke({19662, 13761})));
    EXPECT_FALSE(plan->nochGesetzt(mitLautstaerke({19661 + kNorm / 100, 13763})));
    EXPECT_FALSE(plan->nochGesetzt(mitLautstaerke({19661})));
    EXPECT_FALSE(plan->nochGesetzt(mitLautstaerke({})));
}

TEST(Absenkung, UebertraegtSichAlsJsonUndVerwirftUnvollstaendiges) {
    const auto plan = Absenkung::plane(mitLautstaerke({52429, 36700, 0}), 30);
    ASSERT_TRUE(plan);
    const auto zurueck = Absenkung::ausJson(plan->alsJson());
    ASSERT_TRUE(zurueck);
    EXPECT_EQ(zurueck->senke, plan->senke);
    EXPECT_EQ(zurueck->vorher, plan->vorher);
    EXPECT_EQ(zurueck->gesetzt, plan->gesetzt);

    const auto stumm = Absenkung::ausJson(Absenkung::plane(ohneLautstaerke(true), 0)->alsJson());
    ASSERT_TRUE(stumm);
    EXPECT_EQ(stumm->art, Absenkung::Art::Stumm);
    EXPECT_TRUE(stumm->warStumm);

    const char* kaputt[] = {
        "",
        "{\"senke\":\"s\",\"art\":\"lautstaerke\",\"warStumm\":false,\"vorher\":[1,2]}",
        "{\"senke\":\"s\",\"art\":\"lautstaerke\",\"warStumm\":false,\"vorher\":[1,2],"
        "\"gesetzt\":[1]}",
        "{\"senke\":\"s\",\"art\":\"lautstaerke\",\"warStumm\":false,\"vorher\":[-1],"
        "\"gesetzt\":[1]}",
        "{\"senke\":\"s\",\"art\":\"lautstaerke\",\"warStumm\":false,\"vorher\":[1.5],"
        "\"gesetzt\":[1]}",
        "{\"senke\":\"\",\"art\":\"stumm\",\"warStumm\":false}",
        "{\"senke\":\"s\",\"art\":\"laut\",\"warStumm\":false}",
        "{\"senke\":\"s\",\"art\":\"stumm\"}",
        "[1,2,3]",
    };
    for (const char* text : kaputt) {
        EXPECT_FALSE(Absenkung::ausJson(text)) << text;
    }
}

} // namespace
} // namespace parlix
