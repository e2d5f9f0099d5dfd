#include "core/text/Befehl.hpp"

#include "core/text/Textbaustein.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

Befehl befehl(const QString& ausloeser) {
    return {QUuid::createUuid(), u"Test"_s, ausloeser, u"p"_s, false};
}

// The first command of the list whose trigger occurs, as the action mode picks it.
const Befehl* gewaehlt(const QList<Befehl>& liste, const QString& text) {
    for (const Befehl& b : liste) {
        if (b.passt(text)) {
            return &b;
        }
    }
    return nullptr;
}

TEST(Befehl, TriggersMatchCaseInsensitivelyAnywhere) {
    const Befehl& tweet = Befehl::standard().at(0);
    EXPECT_TRUE(tweet.passt(u"Bitte als TWEET formulieren"_s));
    EXPECT_TRUE(tweet.passt(u"retweete das"_s));
    EXPECT_FALSE(tweet.passt(u"twee"_s));
    EXPECT_FALSE(tweet.passt(QString()));

    EXPECT_TRUE(befehl(u"  , \ttweet"_s).passt(u"tweet"_s));
    EXPECT_FALSE(befehl(u" , "_s).passt(u"tweet , "_s));
    EXPECT_FALSE(befehl(QString()).passt(QString()));
    // Unicode lower-casing on both sides, no folding of umlauts.
    EXPECT_TRUE(befehl(u"GRÜẞE"_s).passt(u"viele grüße"_s));
    EXPECT_FALSE(befehl(u"grüsse"_s).passt(u"viele grüße"_s));
    // Line feeds are not trimmed from a trigger.
    EXPECT_FALSE(befehl(u"tweet\n"_s).passt(u"tweet das"_s));
    EXPECT_TRUE(befehl(u"\u00A0tweet"_s).passt(u"tweet"_s));
}

TEST(Befehl, TheEarlierOfTwoMatchingCommandsWins) {
    const QList<Befehl> liste{befehl(u"kurz"_s), befehl(u"tweet"_s), befehl(u"tweet, kurz"_s)};
    EXPECT_EQ(gewaehlt(liste, u"ein kurzer tweet"_s), &liste[0]);
    EXPECT_EQ(gewaehlt(liste, u"tweet"_s), &liste[1]);
    EXPECT_EQ(gewaehlt(liste, u"nichts"_s), nullptr);
}

TEST(Befehl, JsonRoundTripWritesEveryKeyWithAnUpperCaseId) {
    const QList<Befehl> liste{
        {QUuid::createUuid(), u"Grüße „x“"_s, u"a, b"_s, u"tu\n\"das\""_s, true},
        {QUuid(), QString(), QString(), QString(), false},
    };
    const QByteArray json = Befehl::listeAlsJson(liste);
    EXPECT_EQ(Befehl::listeAusJson(json), liste);

    const QJsonObject erstes = QJsonDocument::fromJson(json).array().at(0).toObject();
    EXPECT_EQ(erstes.keys(),
              (QStringList{u"ausloeser"_s, u"direktEinfuegen"_s, u"id"_s, u"name"_s, u"prompt"_s}));
    const QString id = erstes.value(u"id"_s).toString();
    EXPECT_EQ(id, id.toUpper());
    EXPECT_EQ(id, liste[0].id.toString(QUuid::WithoutBraces).toUpper());
}

TEST(Befehl, DecodingDefaultsAMissingOrNullFlagButRejectsTheWholeListForOneBadElement) {
    // A null flag is absent, as hand-edited or foreign files write it; the user's own
    // commands must not give way to the standard list for it.
    for (const QByteArray& flag : {QByteArray(), QByteArray(R"(,"direktEinfuegen":null)")}) {
        const auto ohneFlag = Befehl::listeAusJson(
            R"([{"id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f","name":"n","ausloeser":"a","prompt":"p")" +
            flag + "}]");
        ASSERT_TRUE(ohneFlag.has_value()) << flag.toStdString();
        ASSERT_EQ(ohneFlag->size(), 1);
        EXPECT_FALSE(ohneFlag->at(0).direktEinfuegen);
        EXPECT_EQ(ohneFlag->at(0).id, QUuid::fromString(u"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"_s));
    }

    const QByteArray gut =
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","ausloeser":"a","prompt":"p"})";
    const QByteArray schlecht[] = {
        R"({"name":"n","ausloeser":"a","prompt":"p"})",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","ausloeser":"a"})",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":1,"ausloeser":"a","prompt":"p"})",
        R"({"id":"{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}","name":"n","ausloeser":"a","prompt":"p"})",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5X","name":"n","ausloeser":"a","prompt":"p"})",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","ausloeser":"a","prompt":"p","direktEinfuegen":"ja"})",
        R"("kein Objekt")",
    };
    for (const QByteArray& element : schlecht) {
        EXPECT_FALSE(Befehl::listeAusJson("[" + gut + "," + element + "]").has_value())
            << element.toStdString();
    }
    EXPECT_FALSE(Befehl::listeAusJson(gut).has_value());
    EXPECT_FALSE(Befehl::listeAusJson("\xff\xfe garbage").has_value());
    EXPECT_EQ(Befehl::listeAusJson("[]"), QList<Befehl>{});
    // The nil UUID is a valid id.
    EXPECT_TRUE(
        Befehl::listeAusJson(
            R"([{"id":"00000000-0000-0000-0000-000000000000","name":"","ausloeser":"","prompt":""}])")
            .has_value());
}

TEST(Textbaustein, JsonNeedsAllFourKeys) {
    const QList<Textbaustein> liste{
        {QUuid::createUuid(), u"Gruß"_s, u"gruß, hallo"_s, u"Hallo\n"_s},
    };
    EXPECT_EQ(Textbaustein::listeAusJson(Textbaustein::listeAlsJson(liste)), liste);
    EXPECT_FALSE(
        Textbaustein::listeAusJson(
            R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","ausloeser":"a"}])")
            .has_value());
}

TEST(StandardListen, BuiltOnceWithDistinctIdsInTheirOrder) {
    const QList<Befehl>& befehle = Befehl::standard();
    ASSERT_EQ(befehle.size(), 3);
    EXPECT_EQ(&befehle, &Befehl::standard());
    EXPECT_EQ(befehle[0].name, u"Tweet"_s);
    EXPECT_EQ(befehle[1].ausloeser, u"stichpunkte, bullet, auflistung"_s);
    EXPECT_EQ(befehle[2].name, u"Korrigieren"_s);
    EXPECT_TRUE(befehle[2].direktEinfuegen);
    EXPECT_FALSE(befehle[0].direktEinfuegen || befehle[1].direktEinfuegen);

    const QList<Textbaustein>& bausteine = Textbaustein::standard();
    ASSERT_EQ(bausteine.size(), 2);
    EXPECT_EQ(bausteine[0].inhalt, u"Sehr geehrte Damen und Herren,"_s);
    EXPECT_EQ(bausteine[1].ausloeser, u"grußformel ende, mit freundlichen grüßen"_s);

    QSet<QUuid> ids{befehle[0].id, befehle[1].id, befehle[2].id, bausteine[0].id, bausteine[1].id};
    EXPECT_EQ(ids.size(), 5);
    EXPECT_FALSE(ids.contains(QUuid()));
}

} // namespace
