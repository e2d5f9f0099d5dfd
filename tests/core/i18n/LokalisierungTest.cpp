#include "core/text/Lokalisierung.hpp"

#include "tests/support/LogMitschnitt.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(LokalisierungWaehle, FallsBackFromLanguageToEnglishToKey) {
    const Lokalisierung::Tabellen tabellen{
        {u"de"_s, {{u"a"_s, u"A-de"_s}}},
        {u"en"_s, {{u"a"_s, u"A-en"_s}, {u"b"_s, u"B-en"_s}}},
    };
    EXPECT_EQ(Lokalisierung::waehle(u"a"_s, u"de"_s, tabellen), u"A-de"_s);
    EXPECT_EQ(Lokalisierung::waehle(u"b"_s, u"de"_s, tabellen), u"B-en"_s); // missing in de only
    EXPECT_EQ(Lokalisierung::waehle(u"c"_s, u"de"_s, tabellen), u"c"_s);
    EXPECT_EQ(Lokalisierung::waehle(u"a"_s, u"pt"_s, tabellen), u"A-en"_s); // unknown language
    EXPECT_EQ(Lokalisierung::waehle(u"a"_s, QString(), tabellen), u"A-en"_s);
    EXPECT_EQ(Lokalisierung::waehle(u"a"_s, u"DE"_s, tabellen), u"A-en"_s); // codes are exact
    EXPECT_EQ(Lokalisierung::waehle(u"a"_s, u"de"_s, {}), u"a"_s);
}

// Each test writes its own bundle, so the per-process cache never sees a path twice.
class LokalisierungText : public ::testing::Test {
protected:
    void schreibe(const QString& code, const QByteArray& inhalt) const {
        QFile datei(verzeichnis.filePath(code + u".json"_s));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }
    QString text(const QString& key, const QString& sprache) const {
        return Lokalisierung::text(key, sprache, verzeichnis.path());
    }

    QTemporaryDir verzeichnis;
};

TEST_F(LokalisierungText, FallsBackAcrossTheTablesOfTheBundle) {
    schreibe(u"de"_s, R"({"gruss": "Hallo", "zahl": "%1 Wörter"})");
    schreibe(u"en"_s, R"({"gruss": "Hello", "nur.en": "Only English", "zahl": "%1 words"})");
    EXPECT_EQ(text(u"gruss"_s, u"de"_s), u"Hallo"_s);
    EXPECT_EQ(text(u"zahl"_s, u"de"_s).arg(3), u"3 Wörter"_s);
    EXPECT_EQ(text(u"nur.en"_s, u"de"_s), u"Only English"_s);
    EXPECT_EQ(text(u"fehlt.ganz"_s, u"de"_s), u"fehlt.ganz"_s);
    EXPECT_EQ(text(u"gruss"_s, u"ja"_s), u"Hello"_s); // no table for ja in this bundle
    EXPECT_EQ(text(u"gruss"_s, QString()), u"Hello"_s);
}

TEST_F(LokalisierungText, AMissingBundleYieldsTheKey) {
    EXPECT_EQ(Lokalisierung::text(u"status.bereit"_s, u"de"_s, verzeichnis.filePath(u"fehlt"_s)),
              u"status.bereit"_s);
}

TEST_F(LokalisierungText, ADamagedTableIsReportedOnceAndSkipped) {
    schreibe(u"de"_s, R"({"gruss": "Hal)");
    schreibe(u"fr"_s, R"(["gruss", "Salut"])");
    schreibe(u"en"_s, R"({"gruss": "Hello", "zahl": 5})");
    test::LogMitschnitt mitschnitt;
    EXPECT_EQ(text(u"gruss"_s, u"de"_s), u"Hello"_s);
    EXPECT_EQ(text(u"gruss"_s, u"de"_s), u"Hello"_s);
    EXPECT_EQ(text(u"gruss"_s, u"fr"_s), u"Hello"_s);
    EXPECT_EQ(text(u"zahl"_s, u"en"_s), u"zahl"_s);

    const QStringList zeilen = mitschnitt.zeilen();
    const QString pfadDe = verzeichnis.filePath(u"de.json"_s);
    ASSERT_EQ(zeilen.size(), 3) << zeilen.join(u'\n').toStdString();
    EXPECT_TRUE(zeilen[0].startsWith(u"FEHLER: Texttabelle unlesbar: "_s + pfadDe + u" ("_s));
    EXPECT_EQ(zeilen[1], u"FEHLER: Texttabelle "_s + verzeichnis.filePath(u"en.json"_s) +
                             u": kein Text für zahl"_s);
    EXPECT_EQ(zeilen[2], u"FEHLER: Texttabelle unlesbar: "_s + verzeichnis.filePath(u"fr.json"_s) +
                             u" (kein JSON-Objekt)"_s);
}

TEST_F(LokalisierungText, ACodeCannotReachOutsideTheBundle) {
    QDir(verzeichnis.path()).mkdir(u"innen"_s);
    schreibe(u"geheim"_s, R"({"gruss": "aus dem Elternordner"})");
    const QString innen = verzeichnis.filePath(u"innen"_s);
    EXPECT_EQ(Lokalisierung::text(u"gruss"_s, u"../geheim"_s, innen), u"gruss"_s);
    EXPECT_EQ(Lokalisierung::tabelle(u"../geheim"_s, innen), nullptr);
    EXPECT_EQ(Lokalisierung::tabelle(u"geheim"_s, verzeichnis.path())->value(u"gruss"_s),
              u"aus dem Elternordner"_s);
}

TEST_F(LokalisierungText, ConcurrentFirstLookupsAgree) {
    schreibe(u"de"_s, R"({"gruss": "Hallo"})");
    schreibe(u"en"_s, R"({"gruss": "Hello", "nur.en": "Only English"})");
    std::vector<std::thread> faeden;
    std::vector<int> treffer(8, 0);
    for (int i = 0; i < 8; ++i) {
        faeden.emplace_back([&, i] {
            for (int runde = 0; runde < 200; ++runde) {
                const bool gut = text(u"gruss"_s, u"de"_s) == u"Hallo"_s &&
                                 text(u"nur.en"_s, u"de"_s) == u"Only English"_s;
                treffer[i] += gut ? 1 : 0;
            }
        });
    }
    for (auto& faden : faeden) {
        faden.join();
    }
    for (int anzahl : treffer) {
        EXPECT_EQ(anzahl, 200);
    }
}

} // namespace
