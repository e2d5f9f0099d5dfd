#include "core/text/Lokalisierung.hpp"
#include "core/text/Sprache.hpp"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

// The codes of the interface languages: "de", "en", ...
const QStringList sprachen = [] {
    QStringList codes;
    for (const Sprache& sprache : Sprache::alle()) {
        codes.append(sprache.code.toString());
    }
    return codes;
}();

Lokalisierung::Tabelle eingebaut(const QString& code) {
    const auto tabelle = Lokalisierung::tabelle(code);
    return tabelle ? *tabelle : Lokalisierung::Tabelle{};
}

QSet<QString> keysVon(const Lokalisierung::Tabelle& tabelle) {
    return {tabelle.keyBegin(), tabelle.keyEnd()};
}

// The first word of every key of the English table: "fehler", "hud", ...
QSet<QString> bekanntePraefixe() {
    QSet<QString> praefixe;
    for (const QString& key : keysVon(eingebaut(u"en"_s))) {
        praefixe.insert(key.section(u'.', 0, 0));
    }
    return praefixe;
}

// Every string literal of the key form with a known prefix in the C++ sources below
// `wurzel`, each with the place it was first seen.
QMap<QString, QString> verwendeteKeys(const QString& wurzel, const QSet<QString>& praefixe) {
    static const QRegularExpression literal(
        u"\"([a-z][A-Za-z0-9]*)\\.([A-Za-z0-9_.]*[A-Za-z0-9_])\""_s);
    QMap<QString, QString> keys;
    QDirIterator dateien(wurzel, {u"*.cpp"_s, u"*.hpp"_s}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (dateien.hasNext()) {
        QFile datei(dateien.next());
        if (!datei.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QStringList zeilen = QString::fromUtf8(datei.readAll()).split(u'\n');
        for (qsizetype nr = 0; nr < zeilen.size(); ++nr) {
            auto treffer = literal.globalMatch(zeilen[nr]);
            while (treffer.hasNext()) {
                const auto t = treffer.next();
                const QString key = t.captured(1) + u'.' + t.captured(2);
                if (praefixe.contains(t.captured(1)) && !keys.contains(key)) {
                    keys.insert(key, datei.fileName() + u':' + QString::number(nr + 1));
                }
            }
        }
    }
    return keys;
}

QStringList platzhalter(const QString& text) {
    static const QRegularExpression muster(u"%[1-9]"_s);
    QStringList gefunden;
    for (auto treffer = muster.globalMatch(text); treffer.hasNext();) {
        gefunden.append(treffer.next().captured());
    }
    gefunden.sort();
    return gefunden;
}

TEST(Texttabellen, EveryInterfaceLanguageAndNoOtherHasATable) {
    QStringList dateien = QDir(Lokalisierung::eingebauteTabellen.toString()).entryList(QDir::Files);
    dateien.sort();
    QStringList erwartet;
    for (const QString& code : sprachen) {
        erwartet.append(code + u".json"_s);
    }
    erwartet.sort();
    EXPECT_EQ(dateien, erwartet);
    for (const QString& code : sprachen) {
        EXPECT_GT(eingebaut(code).size(), 100) << code.toStdString();
    }
}

TEST(Texttabellen, AllTablesHaveTheSameKeysAndFullTexts) {
    const Lokalisierung::Tabelle englisch = eingebaut(u"en"_s);
    for (const QString& code : sprachen) {
        const Lokalisierung::Tabelle tabelle = eingebaut(code);
        const QSet<QString> zuViel = keysVon(tabelle) - keysVon(englisch);
        const QSet<QString> fehlend = keysVon(englisch) - keysVon(tabelle);
        EXPECT_TRUE(zuViel.isEmpty())
            << code.toStdString()
            << " has extra keys: " << QStringList(zuViel.values()).join(u", "_s).toStdString();
        EXPECT_TRUE(fehlend.isEmpty())
            << code.toStdString()
            << " lacks: " << QStringList(fehlend.values()).join(u", "_s).toStdString();
        for (auto eintrag = tabelle.cbegin(); eintrag != tabelle.cend(); ++eintrag) {
            const std::string ort = code.toStdString() + " " + eintrag.key().toStdString();
            EXPECT_FALSE(eintrag.value().trimmed().isEmpty()) << ort;
            EXPECT_EQ(eintrag.value(), eintrag.value().trimmed()) << ort;
            EXPECT_EQ(platzhalter(eintrag.value()), platzhalter(englisch.value(eintrag.key())))
                << ort;
        }
    }
}

TEST(Texttabellen, TheKeyScanFindsLiteralsOfKnownPrefixesOnly) {
    QTemporaryDir wurzel;
    QDir(wurzel.path()).mkpath(u"ui/tief"_s);
    QFile datei(wurzel.filePath(u"ui/tief/Fenster.cpp"_s));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("auto a = Lokalisierung::text(u\"fehler.nichts\"_s, s);\n"
                "auto b = QStringLiteral(\"verhalten.lautstaerke.stumm\"); // \"nav.gibtsNicht\"\n"
                "auto c = u\"com.apple.mail\"_s; auto d = \"hud.stil.\"; auto e = \"Fehler.x\";\n");
    datei.close();

    const auto keys = verwendeteKeys(wurzel.path(), bekanntePraefixe());
    EXPECT_THAT(keys.keys(), ::testing::ElementsAre(u"fehler.nichts"_s, u"nav.gibtsNicht"_s,
                                                    u"verhalten.lautstaerke.stumm"_s));
    EXPECT_TRUE(keys.value(u"nav.gibtsNicht"_s).endsWith(u"Fenster.cpp:2"_s));
}

TEST(Texttabellen, EveryKeyTheCodeUsesIsInEveryTable) {
    const QSet<QString> praefixe = bekanntePraefixe();
    for (const QString& bereich : {u"core"_s, u"app"_s}) {
        const QString wurzel = QStringLiteral(PARLIX_QUELLVERZEICHNIS) + u'/' + bereich;
        const auto keys = verwendeteKeys(wurzel, praefixe);
        for (auto key = keys.cbegin(); key != keys.cend(); ++key) {
            for (const QString& code : sprachen) {
                EXPECT_TRUE(eingebaut(code).contains(key.key()))
                    << key.key().toStdString() << " (used at " << key.value().toStdString()
                    << ") is missing from " << code.toStdString() << ".json";
            }
        }
    }
}

} // namespace
