#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

class RoutingTest : public CoordinatorTestBasis {
protected:
    // Chat requests that were dictation cleanups.
    qsizetype bereinigungen() {
        const QString prompt = einstellungen.effektiverCleanupPrompt();
        const auto chat = server.drehbuch().anfragen(chatPfad);
        return std::count_if(chat.cbegin(), chat.cend(),
                             [&](const Anfrage& a) { return systemVon(a) == prompt; });
    }
};

TEST_F(RoutingTest, AStreamedTranscriptNeedsNoBatchTranscription) {
    plattform.stream = FakePlattform::StreamSkript{true, u"vom stream"_s};
    chatAntwortet(u"Vom Stream."_s);
    erstelle();

    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(plattform.liveBox.sichtbar());
    plattform.letzterStream->onDelta(u"vom"_s);
    EXPECT_EQ(c().liveBox().model().woerter().size(), 1);
    plattform.mikrofon.liefere(sprache(1.0));
    c().stoppeAufnahme();
    warteAufEnde();

    EXPECT_TRUE(server.drehbuch().anfragen(sttPfad).isEmpty());
    EXPECT_TRUE(log.enthaelt(u"🎙 Voxtral-Stream-Transkript: 10 Zeichen"_s));
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Vom Stream.)"_s));
    EXPECT_FALSE(plattform.liveBox.sichtbar());
    EXPECT_EQ(verlauf.eintraege()[0].gesagt, u"vom stream"_s);
}

TEST_F(RoutingTest, AnEmptyOrUnopenedStreamFallsBackToExactlyOneBatchTranscription) {
    plattform.stream = FakePlattform::StreamSkript{true, u""_s};
    transkriptIst("aus dem batch");
    chatAntwortet(u"Aus dem Batch."_s);
    erstelle();

    diktiere(sprache(1.0));
    EXPECT_EQ(server.drehbuch().anfragen(sttPfad).size(), 1);
    EXPECT_EQ(log.anzahl(u"Streaming leer → Batch-STT-Fallback"_s), 1);

    // A stream that cannot be opened is not used at all.
    plattform.stream->startet = false;
    plattform.aufrufe.leere();
    diktiere(sprache(1.0));
    EXPECT_EQ(server.drehbuch().anfragen(sttPfad).size(), 2);
    EXPECT_EQ(plattform.aufrufe.anzahl(u"liveBox.zeige"_s), 0);
    EXPECT_EQ(plattform.aufrufe.anzahl(u"stream.beende"_s), 0);
    EXPECT_EQ(eingefuegt().size(), 1);
}

TEST_F(RoutingTest, PartialTextsOfAnEarlierStreamDoNotReachTheNextRecording) {
    plattform.stream = FakePlattform::StreamSkript{};
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    const auto frueher = plattform.letzterStream;
    c().abbrechen();
    c().starteAufnahme(Aufnahmemodus::diktat);
    frueher->onDelta(u"alter Text"_s);
    EXPECT_TRUE(c().liveBox().model().woerter().isEmpty());
    plattform.letzterStream->onDelta(u"neuer"_s);
    EXPECT_EQ(c().liveBox().model().woerter().size(), 1);
}

// Replies and actions go to their own pipelines, not to the dictation cleanup.
TEST_F(RoutingTest, RepliesAndActionsAreNotCleanedUp) {
    server.drehbuch().reiheEin(sttPfad, Antwort::text(200, "Antwortet ihm, dass ich später komme"));
    server.drehbuch().reiheEin(sttPfad, Antwort::text(200, "fasse das zusammen"));
    chatAntwortet(u"Bereinigt."_s);
    erstelle();
    diktiere(sprache(1.0));
    diktiere(sprache(1.0), Aufnahmemodus::aktion);
    EXPECT_TRUE(log.enthaelt(u"▶︎ START (Hotkey) — Modus: aktion"_s));
    EXPECT_EQ(server.drehbuch().anfragen(sttPfad).size(), 2);
    EXPECT_EQ(bereinigungen(), 0);
    EXPECT_TRUE(eingefuegt().isEmpty());
}

TEST_F(RoutingTest, AnEditCommandWithoutSelectionIsOrdinaryDictation) {
    transkriptIst("mach das kürzer");
    chatAntwortet(u"Mach das kürzer."_s);
    erstelle();
    diktiere(sprache(1.0));
    EXPECT_EQ(bereinigungen(), 1);
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Mach das kürzer.)"_s));
    ASSERT_EQ(verlauf.eintraege().size(), 1);
    EXPECT_EQ(verlauf.eintraege()[0].art, u"Diktat"_s);
}

} // namespace
