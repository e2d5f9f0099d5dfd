#include "core/settings/Einstellungen.hpp"

#include "core/settings/DateiDefaultsStore.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "core/text/Sprache.hpp"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

using S = Einstellungen::Schluessel;
using A = Einstellungen::Art;

class EinstellungenTest : public ::testing::Test {
protected:
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
};

TEST_F(EinstellungenTest, AFreshStoreReadsTheDefaultsAndStaysEmpty) {
    const Einstellungen& e = einstellungen;
    EXPECT_EQ(e.serverURL(), u"http://parlix.local:8000"_s);
    EXPECT_EQ(e.apiToken(), std::nullopt);
    EXPECT_EQ(e.diktatHotkey(), Hotkey::diktatStandard());
    EXPECT_EQ(e.aktionHotkey(), Hotkey::aktionStandard());
    EXPECT_EQ(e.promptHotkey(), Hotkey::promptStandard());
    EXPECT_EQ(e.lockHotkey(), Hotkey::lockStandard());
    EXPECT_EQ(e.vokabular(), QString());
    EXPECT_EQ(e.cleanupPrompt(), Einstellungen::standardCleanup());
    EXPECT_EQ(e.schreibstil(), u"Normal"_s);
    EXPECT_EQ(e.diktatProfil(), u"Keins"_s);
    EXPECT_EQ(e.groqAPIKey(), QString());
    EXPECT_EQ(e.proxyURL(), QString());
    EXPECT_EQ(e.diktatSprache(), u"de"_s);
    EXPECT_EQ(e.uiSprache(), Sprache::system().code.toString());
    EXPECT_EQ(e.aufnahmeLautstaerke(), 0);
    EXPECT_EQ(e.startVerzoegerungMs(), 500);
    EXPECT_EQ(e.soundName(), u"bloom"_s);
    EXPECT_EQ(e.hudStil(), u"energie"_s);
    EXPECT_EQ(e.hudFarbe(), u"#4FB4FF"_s);
    EXPECT_EQ(e.hudGroesse(), 1.0);
    EXPECT_EQ(e.mikrofonUID(), QString());
    EXPECT_EQ(e.befehle(), Befehl::standard());
    EXPECT_EQ(e.textbausteine(), Textbaustein::standard());

    EXPECT_TRUE(e.soundAktiv());
    EXPECT_TRUE(e.appTonAktiv());
    EXPECT_TRUE(e.dsgvoModus());
    EXPECT_TRUE(e.startVerzoegerungAktiv());
    EXPECT_FALSE(e.lockPerTaste());
    EXPECT_FALSE(e.zwischenablageModus());
    EXPECT_FALSE(e.setupErledigt());
    EXPECT_FALSE(e.onboardingErledigt());
    EXPECT_FALSE(e.audioDebugSpeichern());
    EXPECT_DOUBLE_EQ(e.startVerzoegerungSek(), 0.5);
    EXPECT_EQ(e.effektivesVokabular(), QString());

    // Reading a default never writes it back.
    for (const auto& eintrag : Einstellungen::tabelle()) {
        EXPECT_FALSE(speicher.enthaelt(eintrag.name.toString()))
            << eintrag.name.toString().toStdString();
    }
}

// A value of the key's kind that differs from its default.
Einstellungen::Wert anderer(const Einstellungen::Eintrag& e) {
    switch (e.art) {
    case A::text:
    case A::optionalerText:
        return u"Wert „"_s + e.name.toString() + u"“ 😀\n"_s;
    case A::flagAus:
        return true;
    case A::flagAn:
        return false;
    case A::ganzzahl:
        return qint64{1234};
    case A::reell:
        return 0.1;
    case A::hotkey:
        return Hotkey{96, Hotkey::option, false, e.name.toString()};
    case A::befehlsliste:
        return QList<Befehl>{{QUuid::createUuid(), u"B"_s, e.name.toString(), u"p"_s, true}};
    case A::bausteinliste:
        return QList<Textbaustein>{{QUuid::createUuid(), u"T"_s, e.name.toString(), u"i"_s}};
    }
    return {};
}

// The kind the store must hold, so that other readers of the file see the same type.
std::size_t gespeicherteArt(A art) {
    switch (art) {
    case A::text:
    case A::optionalerText:
        return 0; // QString
    case A::flagAus:
    case A::flagAn:
        return 1; // bool
    case A::ganzzahl:
        return 2; // qint64
    case A::reell:
        return 3; // double
    default:
        return 4; // JSON bytes
    }
}

TEST(EinstellungenTabelle, EveryKeySurvivesARestartUnderItsOwnNameAndKind) {
    QTemporaryDir verzeichnis;
    const QString pfad = verzeichnis.filePath(u"defaults.json"_s);
    std::vector<Einstellungen::Wert> geschrieben;
    {
        DateiDefaultsStore speicher(pfad);
        Einstellungen e(speicher);
        for (const auto& eintrag : Einstellungen::tabelle()) {
            geschrieben.push_back(anderer(eintrag));
            ASSERT_NE(geschrieben.back(), e.wert(eintrag.schluessel));
            e.setze(eintrag.schluessel, geschrieben.back());
        }
    }
    DateiDefaultsStore speicher(pfad);
    Einstellungen e(speicher);
    QSet<QString> namen;
    std::size_t i = 0;
    for (const auto& eintrag : Einstellungen::tabelle()) {
        const QString name = eintrag.name.toString();
        namen.insert(name);
        EXPECT_EQ(e.wert(eintrag.schluessel), geschrieben.at(i++)) << name.toStdString();
        const auto roh = speicher.objekt(name);
        ASSERT_TRUE(roh.has_value()) << name.toStdString();
        EXPECT_EQ(roh->index(), gespeicherteArt(eintrag.art)) << name.toStdString();
    }
    EXPECT_EQ(namen.size(), static_cast<qsizetype>(Einstellungen::tabelle().size()));
    EXPECT_TRUE(speicher.enthaelt(u"sprache"_s));
    EXPECT_FALSE(speicher.enthaelt(u"diktatSprache"_s));
    EXPECT_FALSE(speicher.enthaelt(u"verlauf"_s));
}

TEST_F(EinstellungenTest, FlagsOnAreStrictFlagsOffAreLenient) {
    speicher.setzeText(u"soundAktiv"_s, u"false"_s);
    speicher.setzeText(u"appTonAktiv"_s, u"true"_s);
    speicher.setzeGanzzahl(u"dsgvoModus"_s, 0);
    speicher.setzeGanzzahl(u"startVerzoegerungAktiv"_s, 2);
    EXPECT_TRUE(einstellungen.soundAktiv());
    EXPECT_TRUE(einstellungen.appTonAktiv());
    EXPECT_FALSE(einstellungen.dsgvoModus());
    EXPECT_TRUE(einstellungen.startVerzoegerungAktiv());

    speicher.setzeText(u"lockPerTaste"_s, u"yes"_s);
    speicher.setzeGanzzahl(u"zwischenablageModus"_s, 5);
    speicher.setzeText(u"setupErledigt"_s, u"0"_s);
    EXPECT_TRUE(einstellungen.lockPerTaste());
    EXPECT_TRUE(einstellungen.zwischenablageModus());
    EXPECT_FALSE(einstellungen.setupErledigt());
}

TEST_F(EinstellungenTest, NumbersOfTheWrongKindReadAsTheDefault) {
    speicher.setzeText(u"startVerzoegerungMs"_s, u"700"_s);
    speicher.setzeReell(u"aufnahmeLautstaerke"_s, 30.0);
    speicher.setzeText(u"hudGroesse"_s, u"2"_s);
    EXPECT_EQ(einstellungen.startVerzoegerungMs(), 500);
    EXPECT_EQ(einstellungen.aufnahmeLautstaerke(), 30);
    EXPECT_EQ(einstellungen.hudGroesse(), 1.0);
    speicher.setzeReell(u"aufnahmeLautstaerke"_s, 30.5);
    speicher.setzeGanzzahl(u"hudGroesse"_s, 2);
    EXPECT_EQ(einstellungen.aufnahmeLautstaerke(), 0);
    EXPECT_EQ(einstellungen.hudGroesse(), 2.0);
    // A number under a text key reads as its text.
    speicher.setzeGanzzahl(u"vokabular"_s, 42);
    EXPECT_EQ(einstellungen.vokabular(), u"42"_s);
}

TEST_F(EinstellungenTest, StartDelayIsClampedOnWriteAndOffMeansZero) {
    einstellungen.setzeStartVerzoegerungMs(2000);
    EXPECT_EQ(speicher.ganzzahl(u"startVerzoegerungMs"_s), 1500);
    EXPECT_DOUBLE_EQ(einstellungen.startVerzoegerungSek(), 1.5);
    einstellungen.setzeStartVerzoegerungMs(-5);
    EXPECT_EQ(speicher.ganzzahl(u"startVerzoegerungMs"_s), 0);
    einstellungen.setzeStartVerzoegerungMs(1200);
    einstellungen.setzeStartVerzoegerungAktiv(false);
    EXPECT_DOUBLE_EQ(einstellungen.startVerzoegerungSek(), 0.0);
    // No other integer has a range.
    einstellungen.setzeAufnahmeLautstaerke(250);
    EXPECT_EQ(einstellungen.aufnahmeLautstaerke(), 250);
}

TEST_F(EinstellungenTest, UndecodableJsonReadsTheDefaultAndTheStoredBytesStay) {
    const QByteArray muell("\x00\xff{[garbage", 11);
    const QByteArray ohneName(R"({"keyCode":1,"modifiers":0,"istModifierTaste":false})");
    const QByteArray ohneInhalt(
        R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","ausloeser":"a"}])");
    speicher.setzeDaten(u"befehle"_s, muell);
    speicher.setzeDaten(u"diktatHotkey"_s, ohneName);
    speicher.setzeDaten(u"textbausteine"_s, ohneInhalt);
    speicher.setzeText(u"lockHotkey"_s, QString::fromUtf8(Hotkey::diktatStandard().alsJson()));

    EXPECT_EQ(einstellungen.befehle(), Befehl::standard());
    EXPECT_EQ(einstellungen.diktatHotkey(), Hotkey::diktatStandard());
    EXPECT_EQ(einstellungen.textbausteine(), Textbaustein::standard());
    // JSON stored as text is not data.
    EXPECT_EQ(einstellungen.lockHotkey(), Hotkey::lockStandard());

    EXPECT_EQ(speicher.daten(u"befehle"_s), muell);
    EXPECT_EQ(speicher.daten(u"diktatHotkey"_s), ohneName);
    EXPECT_EQ(speicher.daten(u"textbausteine"_s), ohneInhalt);

    // An empty list is a list.
    einstellungen.setzeBefehle({});
    EXPECT_TRUE(einstellungen.befehle().isEmpty());
}

TEST_F(EinstellungenTest, ApiTokenNothingRemovesTheKey) {
    einstellungen.setzeApiToken(u"geheim"_s);
    EXPECT_EQ(einstellungen.apiToken(), u"geheim"_s);
    einstellungen.setzeApiToken(QString());
    EXPECT_EQ(einstellungen.apiToken(), QString());
    einstellungen.setzeApiToken(std::nullopt);
    EXPECT_FALSE(speicher.enthaelt(u"apiToken"_s));
    EXPECT_EQ(einstellungen.apiToken(), std::nullopt);
}

TEST_F(EinstellungenTest, AValueOfAnotherKindWritesNothing) {
    einstellungen.setze(S::soundAktiv, u"false"_s);
    einstellungen.setze(S::vokabular, true);
    einstellungen.setze(S::hudGroesse, qint64{3});
    EXPECT_FALSE(speicher.enthaelt(u"soundAktiv"_s));
    EXPECT_FALSE(speicher.enthaelt(u"vokabular"_s));
    EXPECT_FALSE(speicher.enthaelt(u"hudGroesse"_s));
}

TEST_F(EinstellungenTest, EffectiveVocabularyPutsTheProfileFirstAndDropsBlanks) {
    einstellungen.setzeDiktatProfil(u"Recht"_s);
    einstellungen.setzeVokabular(u"  Müller \n"_s);
    EXPECT_EQ(einstellungen.effektivesVokabular(),
              u"BGB, ZPO, StGB, HGB, Az., Schriftsatz, Kläger, Beklagter, Berufung, Klageschrift, "
              u"Tatbestand, Entscheidungsgründe, Müller"_s);

    einstellungen.setzeVokabular(u" \t\n"_s);
    EXPECT_TRUE(einstellungen.effektivesVokabular().startsWith(u"BGB"_s));
    EXPECT_TRUE(einstellungen.effektivesVokabular().endsWith(u"Entscheidungsgründe"_s));

    einstellungen.setzeDiktatProfil(u"recht"_s);
    EXPECT_EQ(einstellungen.effektivesVokabular(), QString());
    einstellungen.setzeVokabular(u"DeepSeek, Qt"_s);
    EXPECT_EQ(einstellungen.effektivesVokabular(), u"DeepSeek, Qt"_s);
}

} // namespace
