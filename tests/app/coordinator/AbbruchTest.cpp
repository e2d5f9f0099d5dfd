#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

class AbbruchTest : public CoordinatorTestBasis {
protected:
    // Nothing of the run reached the user: no paste, panel, history, error or end cue.
    void erwarteNichtsGeliefert() {
        EXPECT_TRUE(eingefuegt().isEmpty());
        EXPECT_TRUE(plattform.aufrufe.mit(u"glas("_s).isEmpty());
        EXPECT_TRUE(verlauf.eintraege().isEmpty());
        EXPECT_FALSE(hud.model().fehler().has_value());
        EXPECT_EQ(plattform.aufrufe.anzahl(u"spiele(bloom)"_s), 1);
        EXPECT_FALSE(plattform.hud.sichtbar());
        EXPECT_EQ(hud.model().zustand(), AppZustand::idle);
        for (const QString& zeile : log.zeilen()) {
            EXPECT_FALSE(zeile.startsWith(u"FEHLER"_s)) << zeile.toStdString();
        }
    }
};

TEST_F(AbbruchTest, EscapeWhileIdleDoesNothing) {
    erstelle();
    EXPECT_FALSE(plattform.esc.installiert());
    c().abbrechen();
    EXPECT_TRUE(log.zeilen().isEmpty());
    EXPECT_TRUE(plattform.aufrufe.liste().isEmpty());
}

TEST_F(AbbruchTest, EscapeWhileRecordingHidesAtOnceAndKeepsNoAudio) {
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    plattform.mikrofon.liefere(sprache(0.5));
    const qsizetype vorher = plattform.aufrufe.liste().size();

    plattform.esc.druecke();
    EXPECT_THAT(plattform.aufrufe.liste().mid(vorher),
                ElementsAre(u"wiederherstellen"_s, u"recorder.stoppe"_s, u"liveBox.verstecke"_s,
                            u"esc.entferne"_s, u"hud.verstecke"_s));
    EXPECT_TRUE(c().pcmPuffer().isEmpty());
    EXPECT_TRUE(c().abgebrochen());
    EXPECT_TRUE(log.enthaelt(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s));

    // The key is released afterwards: nothing is finished.
    c().stoppeAufnahme();
    queue.vorspulen(3s);
    EXPECT_TRUE(server.drehbuch().anfragen().isEmpty());
    erwarteNichtsGeliefert();
}

TEST_F(AbbruchTest, EscapeDuringTheCleanupCutsTheRequestAndDeliversNothing) {
    transkriptIst("hallo welt");
    server.drehbuch().stelleEin(chatPfad, Antwort::nie());
    erstelle();
    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    ASSERT_TRUE(queue.warteBis([&] { return server.drehbuch().anfragen(chatPfad).size() == 1; }));
    EXPECT_EQ(hud.model().zustand(), AppZustand::transkribierend);
    const int getrenntVorher = server.getrennt();

    plattform.esc.druecke();
    // The server sees the client drop the connection of the open request.
    ASSERT_TRUE(queue.warteBis([&] { return server.getrennt() > getrenntVorher; }));
    queue.vorspulen(3s);
    erwarteNichtsGeliefert();
}

TEST_F(AbbruchTest, ANewStartDuringTranscriptionCancelsTheOldRun) {
    // The first transcription would answer late; the second at once.
    server.drehbuch().reiheEin(sttPfad, Antwort::text(200, "alter text").nach(2s));
    server.drehbuch().reiheEin(sttPfad, Antwort::text(200, "neuer text"));
    chatAntwortet(u"Neuer Text."_s);
    erstelle();

    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    ASSERT_TRUE(queue.warteBis([&] { return server.drehbuch().anfragen().size() == 1; }));
    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(log.enthaelt(u"⎋ Abgebrochen (Aufnahme/Verarbeitung)"_s));
    plattform.mikrofon.liefere(sprache(1.0));
    c().stoppeAufnahme();
    warteAufEnde();
    // The old request was cut off, so its answer can never arrive.
    ASSERT_TRUE(queue.warteBis([&] { return server.getrennt() >= 1; }));
    queue.vorspulen(1s);

    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Neuer Text.)"_s));
    ASSERT_EQ(verlauf.eintraege().size(), 1);
    const auto chat = server.drehbuch().anfragen(chatPfad);
    ASSERT_EQ(chat.size(), 1);
    EXPECT_EQ(nutzerVon(chat[0]), u"neuer text"_s);
}

TEST_F(AbbruchTest, EscapeWhileWaitingForTheStreamClosesItAndDeliversNothing) {
    // The server takes "END" and never answers.
    streamt(StreamAblauf().warteAufEnde());
    erstelle();
    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    ASSERT_TRUE(warteAufStream([](const StreamMitschnitt& s) { return s.endeEmpfangen(); }));

    plattform.esc.druecke();
    ASSERT_TRUE(warteAufStream([](const StreamMitschnitt& s) { return s.schlussCode == 1001; }));
    queue.vorspulen(7s);
    EXPECT_TRUE(server.drehbuch().anfragen(sttPfad).isEmpty());
    erwarteNichtsGeliefert();
}

// Destroying the coordinator stops its pipeline without the main queue running: the
// request in flight and the wait for the stream end at once.
TEST_F(AbbruchTest, DestructionDuringARequestOrAStreamWaitReturnsPromptly) {
    transkriptIst("hallo");
    server.drehbuch().stelleEin(chatPfad, Antwort::nie());
    erstelle();
    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    ASSERT_TRUE(queue.warteBis([&] { return server.drehbuch().anfragen(chatPfad).size() == 1; }));
    auto vorher = std::chrono::steady_clock::now();
    coordinator.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - vorher, 1s);

    streamt(StreamAblauf().warteAufEnde());
    erstelle();
    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    ASSERT_TRUE(warteAufStream([](const StreamMitschnitt& s) { return s.endeEmpfangen(); }));
    vorher = std::chrono::steady_clock::now();
    coordinator.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - vorher, 1s);
    // What the runs left on the main queue finds the coordinator gone.
    queue.vorspulen(3s);
    EXPECT_TRUE(eingefuegt().isEmpty());
}

} // namespace
