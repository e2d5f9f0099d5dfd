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
        const QString prompt = cleanupPrompt();
        const auto chat = server.drehbuch().anfragen(chatPfad);
        return std::count_if(chat.cbegin(), chat.cend(),
                             [&](const Anfrage& a) { return systemVon(a) == prompt; });
    }
};

TEST_F(RoutingTest, AStreamedTranscriptNeedsNoBatchTranscription) {
    streamt(StreamAblauf().sendeDelta(u"vom"_s).warteAufEnde().sendeFinal(u"vom stream"_s));
    chatAntwortet(u"Vom Stream."_s);
    erstelle();

    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(plattform.liveBox.sichtbar());
    // Partial texts reach the live box.
    ASSERT_TRUE(queue.warteBis([&] { return liveBox.model().woerter().size() == 1; }));
    plattform.mikrofon.liefere(sprache(1.0));
    c().stoppeAufnahme();
    warteAufEnde();

    EXPECT_TRUE(server.drehbuch().anfragen(sttPfad).isEmpty());
    EXPECT_TRUE(log.enthaelt(u"🎙 Voxtral-Stream-Transkript: 10 Zeichen"_s));
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Vom Stream.)"_s));
    EXPECT_FALSE(plattform.liveBox.sichtbar());
    EXPECT_EQ(verlauf.eintraege()[0].gesagt, u"vom stream"_s);
}

TEST_F(RoutingTest, AnEmptyStreamFallsBackToExactlyOneBatchTranscription) {
    streamt(StreamAblauf().warteAufEnde().sendeFinal(QString()));
    transkriptIst("aus dem batch");
    chatAntwortet(u"Aus dem Batch."_s);
    erstelle();

    diktiere(sprache(1.0));
    EXPECT_EQ(server.drehbuch().anfragen(sttPfad).size(), 1);
    EXPECT_EQ(log.anzahl(u"Streaming leer → Batch-STT-Fallback"_s), 1);
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Aus dem Batch.)"_s));
}

// The stream hands its transcript over as spoken, blank first; batch transcripts come
// trimmed. The same words must take the same road either way.
TEST_F(RoutingTest, AStreamedTranscriptIsRoutedLikeABatchOne) {
    streamt(StreamAblauf().warteAufEnde().sendeFinal(u" Antworte ihm, dass ich komme\n"_s));
    plattform.kontext.axText.setze(u"Kommst du?"_s);
    chatAntwortet(u"Ich komme."_s);
    erstelle();
    diktiere(sprache(1.0));

    EXPECT_TRUE(server.drehbuch().anfragen(sttPfad).isEmpty());
    EXPECT_EQ(bereinigungen(), 0);
    EXPECT_TRUE(eingefuegt().isEmpty());
    EXPECT_THAT(plattform.aufrufe.mit(u"glas("_s), ElementsAre(u"glas(Ich komme.)"_s));
    ASSERT_EQ(verlauf.eintraege().size(), 1);
    EXPECT_EQ(verlauf.eintraege()[0].art, u"Antwort"_s);
    EXPECT_EQ(verlauf.eintraege()[0].gesagt, u"Antworte ihm, dass ich komme"_s);
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
