#include "core/text/Sprache.hpp"

#include "core/text/DiktatProfil.hpp"
#include "core/text/Schreibstil.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(Sprache, SystemLanguageFromTheFirstPreferenceOnly) {
    EXPECT_EQ(Sprache::system({u"pt-BR"_s, u"de-DE"_s}).fall, Sprache::Fall::englisch);
    EXPECT_EQ(Sprache::system({u"zh-CN"_s}).fall, Sprache::Fall::chinesisch);
    EXPECT_EQ(Sprache::system({u"zh_Hant_TW"_s}).fall, Sprache::Fall::chinesisch);
    EXPECT_EQ(Sprache::system({}).fall, Sprache::Fall::englisch);
    EXPECT_EQ(Sprache::system({u"FR-ca"_s}).fall, Sprache::Fall::franzoesisch);
    EXPECT_EQ(Sprache::system({u"C"_s}).fall, Sprache::Fall::englisch);
    EXPECT_EQ(Sprache::system({QString()}).fall, Sprache::Fall::englisch);
    EXPECT_EQ(Sprache::system({u"ja"_s}).anzeige, u"日本語"_s);
}

TEST(Sprache, CodesAndRawValuesMatchExactly) {
    EXPECT_EQ(Sprache::aus(u"es")->id, u"spanisch"_s);
    EXPECT_FALSE(Sprache::aus(u"ES").has_value());
    EXPECT_FALSE(Schreibstil::aus(u"normal").has_value());
    EXPECT_FALSE(Schreibstil::aus(u"Kurz & knapp ").has_value());
    EXPECT_EQ(Schreibstil::aus(u"Wörtlich / Roh")->titelKey, u"stil.woertlich"_s);
    EXPECT_TRUE(Schreibstil::aus(u"Normal")->hinweis.isEmpty());
    EXPECT_FALSE(DiktatProfil::aus(u"medizin").has_value());
    EXPECT_EQ(DiktatProfil::aus(u"Entwickler")->fall, DiktatProfil::Fall::entwickler);
}

TEST(Sprache, TablesKeepTheirOrderAndEveryHintItsLabel) {
    ASSERT_EQ(Schreibstil::alle().size(), 10u);
    EXPECT_EQ(Schreibstil::alle().front().fall, Schreibstil::Fall::normal);
    EXPECT_EQ(Schreibstil::alle().back().fall, Schreibstil::Fall::woertlich);
    for (const Schreibstil& stil : Schreibstil::alle().subspan(1)) {
        EXPECT_TRUE(stil.hinweis.startsWith(u"Stil: ")) << stil.rohwert.toString().toStdString();
        EXPECT_EQ(stil.titelKey.left(5), u"stil.");
    }
    ASSERT_EQ(DiktatProfil::alle().size(), 4u);
    for (const DiktatProfil& profil : DiktatProfil::alle().subspan(1)) {
        EXPECT_TRUE(profil.promptZusatz.startsWith(u"Domäne: "));
        EXPECT_FALSE(profil.vokabular.isEmpty());
    }
    ASSERT_EQ(Sprache::alle().size(), 6u);
    EXPECT_EQ(Sprache::alle().front().code, u"de"_s);
    EXPECT_EQ(Sprache::alle().back().code, u"zh"_s);
}

} // namespace
