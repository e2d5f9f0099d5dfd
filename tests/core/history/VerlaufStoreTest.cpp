#include "core/history/VerlaufStore.hpp"

#include "core/settings/DateiDefaultsStore.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

const QString verlauf = QStringLiteral("verlauf");
const QString sicherung = QStringLiteral("verlaufBeschaedigt");

// The stored history as JSON, or null when the value is not data.
QJsonDocument gespeichert(const DefaultsStore& speicher) {
    const auto daten = speicher.daten(verlauf);
    return daten ? QJsonDocument::fromJson(*daten) : QJsonDocument();
}

// `anzahl` entries whose texts are "0" (newest) to "anzahl - 1" (oldest).
QByteArray gespeicherteListe(int anzahl) {
    QJsonArray liste;
    for (int i = 0; i < anzahl; ++i) {
        liste.append(
            VerlaufEintrag::erstelle(QStringLiteral("Diktat"), QString::number(i), std::nullopt)
                .alsJson());
    }
    return QJsonDocument(liste).toJson();
}

TEST(VerlaufStoreTest, AddsTrimmedEntriesNewestFirstAndSavesEach) {
    SpeicherDefaultsStore speicher;
    VerlaufStore store(speicher);
    QSignalSpy geaendert(&store, &VerlaufStore::eintraegeGeaendert);
    store.hinzufuegen(QStringLiteral("Diktat"), QStringLiteral("  erster\n"));
    store.hinzufuegen(QStringLiteral("Aktion"), QStringLiteral("zweiter"),
                      QStringLiteral(" mach das kürzer "));
    EXPECT_EQ(geaendert.count(), 2);

    ASSERT_EQ(store.eintraege().size(), 2);
    EXPECT_EQ(store.eintraege()[0].text, QStringLiteral("zweiter"));
    EXPECT_EQ(store.eintraege()[0].gesagt, QStringLiteral(" mach das kürzer "));
    EXPECT_EQ(store.eintraege()[1].text, QStringLiteral("erster"));
    EXPECT_EQ(store.eintraege()[1].art, QStringLiteral("Diktat"));
    EXPECT_NE(store.eintraege()[0].id, store.eintraege()[1].id);

    const QJsonArray liste = gespeichert(speicher).array();
    ASSERT_EQ(liste.size(), 2);
    EXPECT_EQ(liste[0].toObject().value(QStringLiteral("gesagt")),
              QJsonValue(QStringLiteral(" mach das kürzer ")));
    EXPECT_FALSE(liste[1].toObject().contains(QStringLiteral("gesagt")));
    EXPECT_EQ(VerlaufEintrag::ausJson(liste[1]), store.eintraege()[1]);
}

TEST(VerlaufStoreTest, BlankTextChangesNothing) {
    SpeicherDefaultsStore speicher;
    VerlaufStore store(speicher);
    store.hinzufuegen(QStringLiteral("Diktat"), QStringLiteral("bleibt"));
    const auto vorher = speicher.objekt(verlauf);
    QSignalSpy geaendert(&store, &VerlaufStore::eintraegeGeaendert);
    store.hinzufuegen(QStringLiteral("Diktat"), QStringLiteral(" \n\t\u00a0\n "),
                      QStringLiteral("gesagt"));
    EXPECT_EQ(store.eintraege().size(), 1);
    EXPECT_EQ(speicher.objekt(verlauf), vorher);
    EXPECT_EQ(geaendert.count(), 0);
}

TEST(VerlaufStoreTest, KeepsFiftyButLoadsLongerListsWhole) {
    SpeicherDefaultsStore speicher;
    {
        VerlaufStore store(speicher);
        for (int i = 1; i <= 51; ++i) {
            store.hinzufuegen(QStringLiteral("Diktat"), QString::number(i));
        }
        ASSERT_EQ(store.eintraege().size(), 50);
        EXPECT_EQ(store.eintraege().first().text, QStringLiteral("51"));
        EXPECT_EQ(store.eintraege().last().text, QStringLiteral("2"));
        EXPECT_EQ(gespeichert(speicher).array().size(), 50);
    }
    speicher.setzeDaten(verlauf, gespeicherteListe(60));
    VerlaufStore store(speicher);
    ASSERT_EQ(store.eintraege().size(), 60);
    EXPECT_EQ(store.eintraege().last().text, QStringLiteral("59"));
    store.hinzufuegen(QStringLiteral("Prompt"), QStringLiteral("neu"));
    ASSERT_EQ(store.eintraege().size(), 50);
    EXPECT_EQ(store.eintraege().first().text, QStringLiteral("neu"));
    EXPECT_EQ(store.eintraege().last().text, QStringLiteral("48"));
    EXPECT_EQ(gespeichert(speicher).array().size(), 50);
}

TEST(VerlaufStoreTest, EmptyingStoresAnEmptyArray) {
    SpeicherDefaultsStore speicher;
    VerlaufStore store(speicher);
    store.hinzufuegen(QStringLiteral("Antwort"), QStringLiteral("weg damit"));
    QSignalSpy geaendert(&store, &VerlaufStore::eintraegeGeaendert);
    store.leeren();
    EXPECT_TRUE(store.eintraege().isEmpty());
    EXPECT_EQ(geaendert.count(), 1);
    EXPECT_EQ(speicher.daten(verlauf), QByteArray("[]"));
}

TEST(VerlaufStoreTest, SurvivesARestart) {
    QTemporaryDir verzeichnis;
    const QString pfad = verzeichnis.filePath(QStringLiteral("defaults.json"));
    QList<VerlaufEintrag> vorher;
    {
        DateiDefaultsStore speicher(pfad);
        VerlaufStore store(speicher);
        store.hinzufuegen(QStringLiteral("Bearbeitung"), QStringLiteral("Grüße 😀\n„zitiert“"),
                          QStringLiteral("mach das freundlicher"));
        store.hinzufuegen(QStringLiteral("Diktat"), QStringLiteral("ohne gesagt"));
        vorher = store.eintraege();
    }
    DateiDefaultsStore speicher(pfad);
    VerlaufStore store(speicher);
    EXPECT_EQ(store.eintraege(), vorher);
}

class BeschaedigterVerlaufTest : public ::testing::Test {
protected:
    SpeicherDefaultsStore speicher;
    test::LogMitschnitt mitschnitt;
};

TEST_F(BeschaedigterVerlaufTest, StartsEmptyAndKeepsTheDataUntilTheNextSave) {
    const QList<QByteArray> beschaedigt = {
        QByteArray("[{\"id\": \"6BA7B810-9DAD-11D1-80B4-00C04FD430C8\", \"datum\": 1"),
        QByteArray("{\"eintraege\": []}"),
        QByteArray("[{\"datum\": 1, \"art\": \"Diktat\", \"text\": \"ohne id\"}]"),
        gespeicherteListe(3).replace("\"Diktat\"", "17"),
        QByteArray("\xff\xfe", 2),
    };
    for (const QByteArray& daten : beschaedigt) {
        SCOPED_TRACE(daten.toStdString());
        speicher.entferne(sicherung);
        speicher.setzeDaten(verlauf, daten);
        VerlaufStore store(speicher);
        EXPECT_TRUE(store.eintraege().isEmpty());
        EXPECT_EQ(speicher.daten(verlauf), daten);
        EXPECT_FALSE(speicher.enthaelt(sicherung));

        store.hinzufuegen(QStringLiteral("Diktat"), QStringLiteral("neu"));
        EXPECT_EQ(speicher.daten(sicherung), daten);
        EXPECT_EQ(gespeichert(speicher).array().size(), 1);
    }
    EXPECT_EQ(mitschnitt.anzahl(QStringLiteral(
                  "FEHLER: Verlauf unlesbar → leer, wird vor dem nächsten Speichern gesichert")),
              beschaedigt.size());
    EXPECT_EQ(mitschnitt.anzahl(QStringLiteral("Unlesbarer Verlauf gesichert unter ") + sicherung),
              beschaedigt.size());
}

TEST_F(BeschaedigterVerlaufTest, AValueOfAnotherKindIsKeptToo) {
    speicher.setzeText(verlauf, QStringLiteral("[]"));
    VerlaufStore store(speicher);
    EXPECT_TRUE(store.eintraege().isEmpty());
    store.leeren();
    EXPECT_EQ(speicher.objekt(sicherung), DefaultsStore::Wert(QStringLiteral("[]")));
    EXPECT_EQ(speicher.daten(verlauf), QByteArray("[]"));
}

TEST_F(BeschaedigterVerlaufTest, AnOlderBackupIsNotOverwritten) {
    speicher.setzeDaten(sicherung, QByteArray("alt"));
    speicher.setzeDaten(verlauf, QByteArray("neu"));
    {
        VerlaufStore store(speicher);
        store.leeren();
        store.leeren(); // backed up once only
    }
    EXPECT_EQ(speicher.daten(sicherung), QByteArray("alt"));
    const auto zeilen = mitschnitt.zeilen().filter(QStringLiteral("gesichert unter"));
    ASSERT_EQ(zeilen.size(), 1);
    const QString ziel = zeilen.first().section(QLatin1Char(' '), -1);
    EXPECT_TRUE(ziel.startsWith(sicherung + QLatin1Char('-'))) << ziel.toStdString();
    EXPECT_EQ(speicher.daten(ziel), QByteArray("neu"));
}

} // namespace
