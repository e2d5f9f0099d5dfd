#include "core/history/VerlaufStore.hpp"
#include "core/settings/DateiDefaultsStore.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/KleinesDateisystem.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

class DateiDefaultsStoreTest : public ::testing::Test {
protected:
    QString pfad() const { return verzeichnis.filePath(QStringLiteral("parlix/defaults.json")); }

    void schreibeDatei(const QByteArray& inhalt) const {
        QDir().mkpath(QFileInfo(pfad()).absolutePath());
        QFile datei(pfad());
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }

    QTemporaryDir verzeichnis;
};

TEST_F(DateiDefaultsStoreTest, EveryKindSurvivesARestartWithItsKind) {
    const QByteArray bytes("\x00\x01\xff{\"x\":1}", 10);
    {
        DateiDefaultsStore speicher(pfad());
        speicher.setzeText(QStringLiteral("text"), QStringLiteral("Grüße „zitiert“ 😀"));
        speicher.setzeFlag(QStringLiteral("flag"), true);
        speicher.setzeGanzzahl(QStringLiteral("zahl"), 9007199254740993LL); // beyond 2^53
        speicher.setzeReell(QStringLiteral("reell"), 0.1);
        speicher.setzeDaten(QStringLiteral("daten"), bytes);
        speicher.setzeText(QStringLiteral("leer"), QString());
    }
    DateiDefaultsStore speicher(pfad());
    EXPECT_EQ(speicher.objekt(QStringLiteral("text")),
              DefaultsStore::Wert(QStringLiteral("Grüße „zitiert“ 😀")));
    EXPECT_EQ(speicher.objekt(QStringLiteral("flag")), DefaultsStore::Wert(true));
    EXPECT_EQ(speicher.objekt(QStringLiteral("zahl")),
              DefaultsStore::Wert(qint64{9007199254740993LL}));
    EXPECT_EQ(speicher.objekt(QStringLiteral("reell")), DefaultsStore::Wert(0.1));
    EXPECT_EQ(speicher.objekt(QStringLiteral("daten")), DefaultsStore::Wert(bytes));
    EXPECT_EQ(speicher.objekt(QStringLiteral("leer")), DefaultsStore::Wert(QString()));
    EXPECT_FALSE(speicher.objekt(QStringLiteral("fehlt")).has_value());
}

TEST_F(DateiDefaultsStoreTest, RemovalIsPersistedAndFileIsPrivate) {
    {
        DateiDefaultsStore speicher(pfad());
        speicher.setzeText(QStringLiteral("apiToken"), QStringLiteral("geheim"));
        speicher.setzeFlag(QStringLiteral("bleibt"), false);
        speicher.entferne(QStringLiteral("apiToken"));
    }
    DateiDefaultsStore speicher(pfad());
    EXPECT_FALSE(speicher.enthaelt(QStringLiteral("apiToken")));
    EXPECT_EQ(speicher.strengerFlag(QStringLiteral("bleibt")), false);
    struct stat info {};
    ASSERT_EQ(::stat(pfad().toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(DateiDefaultsStoreTest, DamagedFilesAreKeptAsBackupAndYieldDefaults) {
    const QList<QByteArray> beschaedigt = {
        QByteArray("{\"soundAktiv\": {\"bool\": tru"), // cut off mid-write
        QByteArray("[1, 2, 3]"),                       // not an object
        QByteArray("\xff\xfe garbage", 11),
    };
    for (const QByteArray& inhalt : beschaedigt) {
        SCOPED_TRACE(inhalt.toStdString());
        schreibeDatei(inhalt);
        test::LogMitschnitt mitschnitt;

        DateiDefaultsStore speicher(pfad());

        EXPECT_FALSE(speicher.enthaelt(QStringLiteral("soundAktiv")));
        ASSERT_FALSE(speicher.sicherung().isEmpty());
        QFile sicherung(speicher.sicherung());
        ASSERT_TRUE(sicherung.open(QIODevice::ReadOnly));
        EXPECT_EQ(sicherung.readAll(), inhalt);
        ASSERT_EQ(mitschnitt.zeilen().size(), 1);
        EXPECT_TRUE(mitschnitt.zeilen().first().startsWith(QStringLiteral("FEHLER: ")));

        // The next change writes a fresh file and leaves the backup alone.
        speicher.setzeFlag(QStringLiteral("soundAktiv"), false);
        EXPECT_EQ(DateiDefaultsStore(pfad()).strengerFlag(QStringLiteral("soundAktiv")), false);
        EXPECT_TRUE(QFile::exists(speicher.sicherung()));
        QFile::remove(speicher.sicherung());
    }
}

// One value of the settings must not cost the others, let alone the history beside them.
TEST_F(DateiDefaultsStoreTest, ARealThatJsonCannotHoldIsRefusedAndTheRestSurvives) {
    test::LogMitschnitt mitschnitt;
    {
        DateiDefaultsStore speicher(pfad());
        Einstellungen einstellungen(speicher);
        einstellungen.setzeVokabular(u"Parlix"_s);
        einstellungen.setzeHudGroesse(1.5);
        VerlaufStore(speicher).hinzufuegen(u"Diktat"_s, u"Hallo"_s);
        einstellungen.setzeHudGroesse(std::numeric_limits<double>::infinity());
        einstellungen.setzeHudGroesse(std::nan(""));
        EXPECT_EQ(einstellungen.hudGroesse(), 1.5);
    }
    DateiDefaultsStore speicher(pfad());
    EXPECT_TRUE(speicher.sicherung().isEmpty());
    EXPECT_EQ(Einstellungen(speicher).vokabular(), u"Parlix"_s);
    EXPECT_EQ(Einstellungen(speicher).hudGroesse(), 1.5);
    EXPECT_EQ(VerlaufStore(speicher).eintraege().size(), 1);
    EXPECT_EQ(mitschnitt.zeilen(),
              (QStringList{u"FEHLER: Einstellung hudGroesse nicht gespeichert: inf ist keine "
                           u"endliche Zahl"_s,
                           u"FEHLER: Einstellung hudGroesse nicht gespeichert: nan ist keine "
                           u"endliche Zahl"_s}));
}

TEST_F(DateiDefaultsStoreTest, AnEntryThatCannotBeReadCostsOnlyItsOwnKey) {
    const QByteArray handbearbeitet = R"({
        "vokabular": {"text": "Parlix"},
        "zukunft": {"text": "unbekannter Schlüssel"},
        "hudGroesse": {"real": null},
        "soundAktiv": {"bool": "ja"},
        "aufnahmeLautstaerke": {"int": "7"},
        "startVerzoegerungMs": {"int": 1.5},
        "x": {"data": "***"},
        "y": true
    })";
    schreibeDatei(handbearbeitet);
    test::LogMitschnitt mitschnitt;
    {
        DateiDefaultsStore speicher(pfad());
        EXPECT_EQ(speicher.text(u"vokabular"_s), u"Parlix"_s);
        EXPECT_EQ(speicher.text(u"zukunft"_s), u"unbekannter Schlüssel"_s);
        for (const QString& unlesbar : {u"hudGroesse"_s, u"soundAktiv"_s, u"aufnahmeLautstaerke"_s,
                                        u"startVerzoegerungMs"_s, u"x"_s, u"y"_s}) {
            EXPECT_FALSE(speicher.enthaelt(unlesbar)) << unlesbar.toStdString();
        }
        EXPECT_EQ(Einstellungen(speicher).hudGroesse(), 1.0);
        // The file as it was stays beside the one that is written from now on.
        ASSERT_FALSE(speicher.sicherung().isEmpty());
        QFile sicherung(speicher.sicherung());
        ASSERT_TRUE(sicherung.open(QIODevice::ReadOnly));
        EXPECT_EQ(sicherung.readAll(), handbearbeitet);
        EXPECT_EQ(
            mitschnitt.zeilen(),
            QStringList{u"FEHLER: Einstellungen: unlesbare Werte (aufnahmeLautstaerke, "
                        u"hudGroesse, soundAktiv, startVerzoegerungMs, x, y), gesichert als "_s +
                        speicher.sicherung() + u" → Standardwerte"_s});
        speicher.setzeFlag(u"soundAktiv"_s, false);
    }
    DateiDefaultsStore speicher(pfad());
    EXPECT_TRUE(speicher.sicherung().isEmpty());
    EXPECT_EQ(speicher.text(u"vokabular"_s), u"Parlix"_s);
    EXPECT_EQ(speicher.text(u"zukunft"_s), u"unbekannter Schlüssel"_s);
    EXPECT_EQ(speicher.strengerFlag(u"soundAktiv"_s), false);
}

// A full disk: the settings file (settings and history) stays whole, and what could not
// be written stays in memory until it can.
TEST(DateiDefaultsStoreVollePlatte, AFailedWriteKeepsTheOldFileAndTheNewValues) {
    if (!test::KleinesDateisystem::imNamensraum()) {
        test::KleinesDateisystem::laufeImNamensraum();
        return;
    }
    test::KleinesDateisystem platte(512 * 1024);
    const QString pfad = platte.ordner() + u"/parlix/defaults.json"_s;
    DateiDefaultsStore speicher(pfad);
    Einstellungen einstellungen(speicher);
    VerlaufStore verlauf(speicher);
    einstellungen.setzeVokabular(u"Parlix"_s);
    verlauf.hinzufuegen(u"Diktat"_s, u"Hallo"_s);
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray vorher = datei.readAll();
    datei.close();

    // Room for a part of the new file, not for all of it.
    platte.fuelle(16 * 1024);
    test::LogMitschnitt mitschnitt;
    const QString lang(64 * 1024, u'w');
    einstellungen.setzeVokabular(lang);
    verlauf.hinzufuegen(u"Diktat"_s, u"Welt"_s);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray nachher = datei.readAll();
    datei.close();
    EXPECT_EQ(nachher.size(), vorher.size());
    EXPECT_TRUE(nachher == vorher);
    EXPECT_EQ(
        mitschnitt.zeilen().filter(u"FEHLER: Einstellungen nicht gespeichert: "_s + pfad).size(),
        2);
    EXPECT_EQ(einstellungen.vokabular(), lang);

    platte.leere();
    einstellungen.setzeSoundAktiv(false);
    DateiDefaultsStore neu(pfad);
    EXPECT_TRUE(neu.sicherung().isEmpty());
    EXPECT_EQ(Einstellungen(neu).vokabular(), lang);
    EXPECT_EQ(VerlaufStore(neu).eintraege().size(), 2);
}

TEST_F(DateiDefaultsStoreTest, ConcurrentWritersLoseNothing) {
    {
        DateiDefaultsStore speicher(pfad());
        std::vector<std::thread> schreiber;
        for (int t = 0; t < 8; ++t) {
            schreiber.emplace_back([&speicher, t] {
                for (int i = 0; i < 50; ++i) {
                    speicher.setzeGanzzahl(QStringLiteral("t%1.%2").arg(t).arg(i), i);
                    speicher.ganzzahl(QStringLiteral("t%1.%2").arg((t + 1) % 8).arg(i));
                }
            });
        }
        for (auto& s : schreiber) {
            s.join();
        }
    }
    DateiDefaultsStore speicher(pfad());
    for (int t = 0; t < 8; ++t) {
        for (int i = 0; i < 50; ++i) {
            ASSERT_EQ(speicher.ganzzahl(QStringLiteral("t%1.%2").arg(t).arg(i)), i);
        }
    }
}

TEST(DefaultsStoreLesen, LenientFlagFollowsThePlatformRules) {
    SpeicherDefaultsStore s;
    const auto flagAusText = [&s](const char* text) {
        s.setzeText(QStringLiteral("k"), QString::fromUtf8(text));
        return s.flag(QStringLiteral("k"));
    };
    for (const char* wahr : {"true", "YES", "y", "T", "1", "9", "  yes", "+7", "-3", "007"}) {
        EXPECT_TRUE(flagAusText(wahr)) << wahr;
    }
    for (const char* falsch : {"", "false", "no", "0", "000", "nein", "ja", " ", "-", "x1"}) {
        EXPECT_FALSE(flagAusText(falsch)) << falsch;
    }
    s.setzeGanzzahl(QStringLiteral("k"), -2);
    EXPECT_TRUE(s.flag(QStringLiteral("k")));
    s.setzeReell(QStringLiteral("k"), 0.0);
    EXPECT_FALSE(s.flag(QStringLiteral("k")));
    s.setzeDaten(QStringLiteral("k"), QByteArray("1"));
    EXPECT_FALSE(s.flag(QStringLiteral("k")));
    EXPECT_FALSE(s.flag(QStringLiteral("fehlt")));
}

TEST(DefaultsStoreLesen, StrictReadsAcceptOnlyFittingKinds) {
    SpeicherDefaultsStore s;
    const QString k = QStringLiteral("k");

    s.setzeText(k, QStringLiteral("true"));
    EXPECT_FALSE(s.strengerFlag(k).has_value());
    EXPECT_FALSE(s.ganzzahl(k).has_value());
    EXPECT_FALSE(s.reell(k).has_value());
    EXPECT_FALSE(s.daten(k).has_value());

    s.setzeGanzzahl(k, 0);
    EXPECT_EQ(s.strengerFlag(k), false);
    s.setzeGanzzahl(k, 1);
    EXPECT_EQ(s.strengerFlag(k), true);
    s.setzeGanzzahl(k, 2);
    EXPECT_FALSE(s.strengerFlag(k).has_value());
    EXPECT_EQ(s.reell(k), 2.0);
    EXPECT_EQ(s.text(k), QStringLiteral("2"));

    s.setzeReell(k, 3.0);
    EXPECT_EQ(s.ganzzahl(k), 3);
    s.setzeReell(k, 3.5);
    EXPECT_FALSE(s.ganzzahl(k).has_value());
    EXPECT_EQ(s.text(k), QStringLiteral("3.5"));
    s.setzeReell(k, 1e300);
    EXPECT_FALSE(s.ganzzahl(k).has_value());

    s.setzeFlag(k, true);
    EXPECT_EQ(s.ganzzahl(k), 1);
    EXPECT_EQ(s.strengerFlag(k), true);

    s.setzeDaten(k, QByteArray("abc"));
    EXPECT_EQ(s.daten(k), QByteArray("abc"));
    EXPECT_FALSE(s.text(k).has_value());
}

} // namespace
