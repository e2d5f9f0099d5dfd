#include "core/audio/PegelGlaetter.hpp"
#include "core/audio/WAVKodierer.hpp"
#include "core/services/BackendWurzel.hpp"
#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <QJsonDocument>
#include <QScopeGuard>
#include <gmock/gmock.h>
#include <thread>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

class AblaufTest : public CoordinatorTestBasis {};

TEST_F(AblaufTest, DictationIsTranscribedCleanedUpPastedAndRecorded) {
    plattform.desktop.app = u"com.tinyspeck.slackmacgap"_s;
    transkriptIst("ähm hallo welt");
    chatAntwortet(u"Hallo Welt."_s);
    erstelle();

    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_THAT(plattform.aufrufe.liste(), ElementsAre(u"esc.installiere"_s, u"spiele(bloom)"_s,
                                                       u"hud.zeige"_s, u"recorder.starte"_s));
    EXPECT_EQ(hud.model().zustand(), AppZustand::aufnehmend);
    plattform.mikrofon.liefere(sprache(1.0));
    c().stoppeAufnahme();
    warteAufEnde();

    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Hallo Welt.)"_s));
    ASSERT_EQ(verlauf.eintraege().size(), 1);
    EXPECT_EQ(verlauf.eintraege()[0].art, u"Diktat"_s);
    EXPECT_EQ(verlauf.eintraege()[0].text, u"Hallo Welt."_s);
    EXPECT_EQ(verlauf.eintraege()[0].gesagt, u"ähm hallo welt"_s);
    EXPECT_EQ(plattform.aufrufe.anzahl(u"spiele(bloom)"_s), 2);
    EXPECT_FALSE(plattform.esc.installiert());

    // The transcription carries the recording as WAV; the cleanup gets the prompt for the
    // application that was in front at the start.
    const auto stt = server.drehbuch().anfragen(sttPfad);
    ASSERT_EQ(stt.size(), 1);
    EXPECT_TRUE(stt[0].koerper.contains(WAVKodierer::kopf(16000 * 2, 16000, 1)));
    const auto chat = server.drehbuch().anfragen(chatPfad);
    ASSERT_EQ(chat.size(), 1);
    EXPECT_EQ(systemVon(chat[0]), cleanupPrompt(*plattform.desktop.app));
    EXPECT_EQ(nutzerVon(chat[0]), u"ähm hallo welt"_s);
    const QJsonObject koerper = QJsonDocument::fromJson(chat[0].koerper).object();
    EXPECT_EQ(koerper[u"temperature"_s].toDouble(), 0.2);
    EXPECT_EQ(koerper[u"reasoning_effort"_s], u"low"_s);
    EXPECT_EQ(koerper[u"model"_s], u"openai/gpt-oss-120b"_s);

    EXPECT_TRUE(log.enthaelt(u"▶︎ START (Hotkey) — Modus: diktat"_s));
    EXPECT_TRUE(log.enthaelt(u"🎙️ Aufnahme gestartet (Groq, lokal)"_s));
    EXPECT_TRUE(log.enthaelt(u"⏹ STOP (Hotkey)"_s));
    EXPECT_TRUE(log.enthaelt(u"⌘V Auto-Einfügen (vertraut: true) für 11 Zeichen"_s));

    // Shown as inserting for 0.6 s, then hidden.
    EXPECT_EQ(hud.model().zustand(), AppZustand::einfuegend);
    queue.vorspulen(590ms);
    EXPECT_TRUE(plattform.hud.sichtbar());
    queue.vorspulen(10ms);
    EXPECT_FALSE(plattform.hud.sichtbar());
    EXPECT_EQ(hud.model().zustand(), AppZustand::idle);
}

// Released while Parlix's own server is still starting, a dictation waits for it rather
// than failing, and its calls go where the server then listens.
TEST_F(AblaufTest, ADictationReleasedWhileTheOwnServerStartsWaitsForIt) {
    const auto zurueck = qScopeGuard([vorher = backendWurzel()] { setzeBackendWurzel(vorher); });
    einstellungen.setzeProxyURL({});
    setzeLokalesBackendAus();
    transkriptIst("hallo welt");
    chatAntwortet(u"Hallo Welt."_s);
    erstelle();
    nimmAuf(Aufnahmemodus::diktat, sprache(1.0));
    std::this_thread::sleep_for(100ms);
    queue.laufe();
    EXPECT_TRUE(c().aktiv());

    QUrl wurzel = server.url(u"/"_s);
    wurzel.setPath({});
    setzeLokalesBackend(wurzel, "geheimnis");
    warteAufEnde();
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Hallo Welt.)"_s));
    EXPECT_EQ(server.drehbuch().anfragen(sttPfad).size(), 1);
}

TEST_F(AblaufTest, TimingLineNamesTheServiceOfTheDataProtectionMode) {
    transkriptIst("eins zwei");
    chatAntwortet(u"Eins, zwei."_s);
    erstelle();
    for (const bool dsgvo : {true, false}) {
        einstellungen.setzeDsgvoModus(dsgvo);
        diktiere(sprache(0.5));
    }
    EXPECT_EQ(log.anzahl(u"⏱ EU/Mistral Stop→Ergebnis 0.00s; 11 Zeichen"_s), 1);
    EXPECT_EQ(log.anzahl(u"⏱ Groq Stop→Ergebnis 0.00s; 11 Zeichen"_s), 1);
    // The data-protection mode also picks the transcription model.
    const auto stt = server.drehbuch().anfragen(sttPfad);
    ASSERT_EQ(stt.size(), 2);
    EXPECT_TRUE(stt[0].koerper.contains("voxtral-mini-latest"));
    EXPECT_TRUE(stt[1].koerper.contains("whisper-large-v3"));
}

TEST_F(AblaufTest, WithSoundsOnTheOutputIsLoweredHalfASecondLaterAndOnlyWhileRecording) {
    einstellungen.setzeAufnahmeLautstaerke(20);
    erstelle();

    c().starteAufnahme(Aufnahmemodus::diktat);
    queue.vorspulen(499ms);
    EXPECT_EQ(plattform.aufrufe.mit(u"absenken"_s).size(), 0);
    queue.vorspulen(1ms);
    EXPECT_THAT(plattform.aufrufe.mit(u"absenken"_s), ElementsAre(u"absenken(20)"_s));
    c().abbrechen();

    // Stopped within 0.5 s: never lowered.
    plattform.aufrufe.leere();
    c().starteAufnahme(Aufnahmemodus::diktat);
    queue.vorspulen(300ms);
    c().stoppeAufnahme();
    queue.vorspulen(1s);
    EXPECT_EQ(plattform.aufrufe.mit(u"absenken"_s).size(), 0);
    c().abbrechen();

    // A stop and a new start within 0.5 s: only the new recording's muting, at its time.
    plattform.aufrufe.leere();
    c().starteAufnahme(Aufnahmemodus::diktat);
    queue.vorspulen(200ms);
    c().abbrechen();
    c().starteAufnahme(Aufnahmemodus::aktion);
    queue.vorspulen(400ms);
    EXPECT_EQ(plattform.aufrufe.mit(u"absenken"_s).size(), 0);
    queue.vorspulen(100ms);
    EXPECT_EQ(plattform.aufrufe.mit(u"absenken"_s).size(), 1);
}

TEST_F(AblaufTest, WithSoundsOffNothingPlaysAndTheOutputIsLoweredAtOnce) {
    einstellungen.setzeSoundAktiv(false);
    transkriptIst("hallo");
    chatAntwortet(u"Hallo."_s);
    erstelle();

    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_THAT(plattform.aufrufe.mit(u"absenken"_s), ElementsAre(u"absenken(0)"_s));
    c().setzeGesperrt();
    EXPECT_TRUE(hud.model().gesperrt());
    EXPECT_TRUE(log.enthaelt(u"🔒 freihändig eingerastet (Doppeltipp)"_s));
    plattform.mikrofon.liefere(sprache(0.5));
    c().stoppeAufnahme();
    warteAufEnde();

    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Hallo.)"_s));
    EXPECT_EQ(plattform.aufrufe.mit(u"spiele"_s).size(), 0);
}

TEST_F(AblaufTest, LockPlaysTinkAndTheNextStartClearsTheLock) {
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    c().setzeGesperrt();
    EXPECT_THAT(plattform.aufrufe.mit(u"spiele"_s),
                ElementsAre(u"spiele(bloom)"_s, u"spiele(Tink)"_s));
    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_FALSE(hud.model().gesperrt());
}

TEST_F(AblaufTest, LevelOfOneChunk) {
    erstelle();
    HUDModel& model = hud.model();
    PegelGlaetter erwartet(0.5f, 0.12f);

    c().aktualisierePegel(QByteArray(1, '\x7f'));
    EXPECT_EQ(queue.laufe(), 0);
    EXPECT_EQ(model.aktuellerPegel, 0.0f);

    // Full scale is level 1, which the smoother follows halfway.
    QByteArray vollAusschlag;
    for (int i = 0; i < 100; ++i) {
        vollAusschlag.append(i % 2 == 0 ? "\xff\x7f" : "\x00\x80", 2);
    }
    c().aktualisierePegel(vollAusschlag);
    queue.laufe();
    EXPECT_FLOAT_EQ(model.aktuellerPegel, erwartet.schiebe(1.0f));

    // Silence is level 0.
    c().aktualisierePegel(QByteArray(200, '\0'));
    queue.laufe();
    EXPECT_FLOAT_EQ(model.aktuellerPegel, erwartet.schiebe(0.0f));
}

TEST_F(AblaufTest, CapturedChunksFeedBufferLevelAndStream) {
    streamt(StreamAblauf());
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    const QList<QByteArray> chunks = sprache(0.3);
    plattform.mikrofon.liefere(chunks);
    queue.laufe();

    EXPECT_EQ(c().pcmPuffer(), chunks.join());
    // The stream gets the chunks unchanged and in order.
    EXPECT_TRUE(warteAufStream([&](const StreamMitschnitt& s) { return s.chunks() == chunks; }));
    EXPECT_GT(hud.model().aktuellerPegel, 0.3f);
    // A new start empties the buffer and resets the level.
    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(c().pcmPuffer().isEmpty());
    EXPECT_EQ(hud.model().aktuellerPegel, 0.0f);
}

} // namespace
