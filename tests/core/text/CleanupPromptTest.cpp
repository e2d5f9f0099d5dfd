#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "core/text/AppTon.hpp"

#include <QCryptographicHash>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

const QString bausteinAnweisung =
    u"\nNennt der Sprecher einen Auslöser, ersetze ihn durch den zugehörigen Text WÖRTLICH und "
    u"unverändert; folgenden weiteren Diktat-Inhalt hängst du danach sauber redigiert an. Ohne "
    u"genannten Auslöser ändert sich nichts."_s;
const QString bausteinBlock =
    u"\nTextbausteine (Auslöser → Text): „grußformel, anrede förmlich“ → Sehr geehrte Damen "
    u"und Herren, | „grußformel ende, mit freundlichen grüßen“ → Mit freundlichen Grüßen"_s +
    bausteinAnweisung;
const QString mailTon =
    u"\nKontext-Ton: E-Mail — höflich und professionell, vollständige Sätze, klare Struktur."_s;
const QString stichpunkteStil = u"\nStil: formatiere als knappe Stichpunkte mit Spiegelstrichen "
                                u"statt Fließtext, ein Gedanke pro Punkt."_s;

class CleanupPromptTest : public ::testing::Test {
protected:
    QString prompt(const QString& app = {}) const {
        return CleanupPrompt::baue(einstellungen.cleanupZutaten(), app);
    }

    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    const QString basis = Einstellungen::standardCleanup();
};

TEST_F(CleanupPromptTest, TheBuiltInBaseIsExact) {
    const QByteArray utf8 = basis.toUtf8();
    EXPECT_EQ(utf8.size(), 3664);
    EXPECT_EQ(QCryptographicHash::hash(utf8, QCryptographicHash::Sha256).toHex(),
              "e33095bc432b25470841726d8f1e37c2830cc31af46022f289a345f66effa9c0");
    EXPECT_TRUE(basis.startsWith(u"Du bist ein Editor für diktierten Text."_s));
    EXPECT_TRUE(basis.endsWith(u"nur mit dem fertigen Text."_s));
}

TEST_F(CleanupPromptTest, DefaultsGiveTheBaseAndTheStandardSnippets) {
    EXPECT_EQ(prompt(), basis + bausteinBlock);
    EXPECT_EQ(prompt(u"unbekannt.app"_s), basis + bausteinBlock);
    EXPECT_EQ(prompt(u"com.apple.mail"_s), basis + mailTon + bausteinBlock);
    einstellungen.setzeAppTonAktiv(false);
    EXPECT_EQ(prompt(u"com.apple.mail"_s), basis + bausteinBlock);
}

TEST_F(CleanupPromptTest, AStyleOrAProfileSuppressesTheTone) {
    einstellungen.setzeSchreibstil(u"Stichpunkte"_s);
    EXPECT_EQ(prompt(u"com.apple.mail"_s), basis + stichpunkteStil + bausteinBlock);

    einstellungen.setzeSchreibstil(u"Normal"_s);
    einstellungen.setzeDiktatProfil(u"Recht"_s);
    const QString p = prompt(u"com.apple.mail"_s);
    EXPECT_TRUE(p.startsWith(basis + u"\nDomäne: juristisches Diktat (Schriftsatz/Vermerk)."_s));
    EXPECT_FALSE(p.contains(u"Kontext-Ton"_s));
    EXPECT_TRUE(p.contains(u"Keine Umgangssprache, keine Füllwörter.\nGlossar: BGB, ZPO, "_s));

    // Style line before domain line.
    einstellungen.setzeSchreibstil(u"Stichpunkte"_s);
    EXPECT_TRUE(prompt().startsWith(basis + stichpunkteStil + u"\nDomäne: "_s));
}

TEST_F(CleanupPromptTest, UnknownStyleAndProfileAddNothingAndLeaveTheTone) {
    einstellungen.setzeSchreibstil(u"Barock"_s);
    einstellungen.setzeDiktatProfil(u"Astronomie"_s);
    EXPECT_EQ(prompt(u"com.apple.mail"_s), basis + mailTon + bausteinBlock);
}

TEST_F(CleanupPromptTest, GlossaryBlockFollowsTheLines) {
    einstellungen.setzeVokabular(u"  DeepSeek, Parlix \n"_s);
    einstellungen.setzeTextbausteine({});
    EXPECT_EQ(prompt(u"com.apple.mail"_s),
              basis + mailTon +
                  u"\nGlossar: DeepSeek, Parlix\nKlingt ein Wort im Text wie ein Verhörer eines "
                  u"Glossar-Begriffs (z.B. „Diebsiek“ statt „DeepSeek“), ersetze es durch den "
                  u"Glossar-Begriff."_s);
}

TEST_F(CleanupPromptTest, SnippetsNeedATriggerAndATextButLineFeedsCount) {
    const auto id = [] { return QUuid::createUuid(); };
    einstellungen.setzeTextbausteine({
        {id(), u"leer"_s, u" \t "_s, u"Text"_s},
        {id(), u"ohne Text"_s, u"sig"_s, u"\t"_s},
        {id(), u"Absatz"_s, u" absatz , neue zeile"_s, u"\n"_s},
        {id(), u"Adresse"_s, u"adresse"_s, u" Weg 1\n12345 Ort "_s},
    });
    EXPECT_EQ(prompt(), basis +
                            u"\nTextbausteine (Auslöser → Text): „ absatz , neue zeile“ → \n | "
                            u"„adresse“ →  Weg 1\n12345 Ort "_s +
                            bausteinAnweisung);

    einstellungen.setzeTextbausteine({{id(), u"leer"_s, u" "_s, u" "_s}});
    EXPECT_EQ(prompt(), basis);
    einstellungen.setzeTextbausteine({});
    EXPECT_EQ(prompt(), basis);
}

TEST_F(CleanupPromptTest, AReplacedBaseReplacesOnlyTheBase) {
    einstellungen.setzeCleanupPrompt(u"Nur redigieren."_s);
    einstellungen.setzeSchreibstil(u"Stichpunkte"_s);
    EXPECT_EQ(prompt(), u"Nur redigieren."_s + stichpunkteStil + bausteinBlock);
}

TEST(AppTon, MacAndLinuxIdsMatchExactly) {
    const QString chat = AppTon::hinweis(u"com.tinyspeck.slackmacgap"_s);
    const QString technisch = AppTon::hinweis(u"com.apple.Terminal"_s);
    EXPECT_TRUE(chat.startsWith(u"Kontext-Ton: Chat-Nachricht"_s));
    EXPECT_TRUE(technisch.startsWith(u"Kontext-Ton: technisches Umfeld"_s));
    for (const QString& id : {u"org.telegram.desktop"_s, u"TelegramDesktop"_s, u"slack"_s,
                              u"com.discordapp.Discord"_s, u"signal"_s}) {
        EXPECT_EQ(AppTon::hinweis(id), chat) << id.toStdString();
    }
    for (const QString& id : {u"org.mozilla.Thunderbird"_s, u"thunderbird"_s, u"geary"_s}) {
        EXPECT_EQ(AppTon::hinweis(id), mailTon.mid(1)) << id.toStdString();
    }
    for (const QString& id : {u"org.gnome.Terminal"_s, u"kgx"_s, u"Code"_s, u"code"_s,
                              u"jetbrains-idea-ce"_s, u"XTerm"_s}) {
        EXPECT_EQ(AppTon::hinweis(id), technisch) << id.toStdString();
    }
    for (const QString& id : {QString(), u"Thunderbird"_s, u"com.apple.Mail"_s, u"KITTY"_s,
                              u"org.mozilla.firefox"_s, u" slack"_s}) {
        EXPECT_EQ(AppTon::hinweis(id), QString()) << id.toStdString();
    }
}

} // namespace
