#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

class FehlerTest : public CoordinatorTestBasis {
protected:
    // The error is shown for 1.8 s, then the HUD is hidden and idle, and nothing was
    // delivered.
    void erwarteFehlerAngezeigt(const QString& key) {
        EXPECT_EQ(hud.model().fehler(), lokal(key));
        EXPECT_TRUE(plattform.hud.sichtbar());
        EXPECT_FALSE(c().aktiv());
        EXPECT_FALSE(plattform.esc.installiert());
        queue.vorspulen(1790ms);
        EXPECT_TRUE(plattform.hud.sichtbar());
        queue.vorspulen(10ms);
        EXPECT_FALSE(plattform.hud.sichtbar());
        EXPECT_FALSE(hud.model().fehler().has_value());
        EXPECT_EQ(hud.model().zustand(), AppZustand::idle);
        EXPECT_TRUE(eingefuegt().isEmpty());
        EXPECT_TRUE(verlauf.eintraege().isEmpty());
    }

    bool fehlerGeloggt() const {
        const QStringList zeilen = log.zeilen();
        return std::any_of(zeilen.cbegin(), zeilen.cend(),
                           [](const QString& z) { return z.startsWith(u"FEHLER"_s); });
    }
};

TEST_F(FehlerTest, MicrophoneFailureShowsItsErrorAndLeavesTheCoordinatorReady) {
    streamt(StreamAblauf());
    plattform.mikrofon.setzeFehler(u"Keine Quelle"_s);
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Mikrofon-Fehler: Keine Quelle"_s));
    EXPECT_FALSE(log.enthaelt(u"🎙️ Aufnahme gestartet (Groq, lokal)"_s));
    // The stream opened for the recording is given up with it.
    EXPECT_THAT(plattform.aufrufe.mit(u"liveBox"_s),
                ElementsAre(u"liveBox.zeige"_s, u"liveBox.verstecke"_s));

    // Releasing the key afterwards keeps the microphone's message.
    c().stoppeAufnahme();
    queue.laufe();
    EXPECT_TRUE(server.drehbuch().anfragen(sttPfad).isEmpty());
    erwarteFehlerAngezeigt(u"fehler.mikro"_s);

    plattform.mikrofon.setzeFehler(std::nullopt);
    c().starteAufnahme(Aufnahmemodus::diktat);
    EXPECT_TRUE(c().nochAmAufnehmen());
    EXPECT_EQ(plattform.aufrufe.anzahl(u"recorder.starte"_s), 2);
    EXPECT_TRUE(log.enthaelt(u"🎙️ Aufnahme gestartet (Groq, lokal)"_s));
}

TEST_F(FehlerTest, TooShortQuietOrEmptyRecordingsSendNothing) {
    erstelle();
    for (const QList<QByteArray>& chunks : {sprache(0.25), stille(1.0), QList<QByteArray>{}}) {
        diktiere(chunks);
        erwarteFehlerAngezeigt(u"fehler.nichts"_s);
    }
    EXPECT_EQ(log.anzahl(u"Keine Sprache erkannt (Stille/zu leise) — verworfen"_s), 3);
    EXPECT_TRUE(server.drehbuch().anfragen().isEmpty());
}

TEST_F(FehlerTest, MissingCredentialsShowTheirMessageWithoutALogLine) {
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(); });
    erstelle();
    diktiere(sprache(1.0));
    erwarteFehlerAngezeigt(u"fehler.keinKey"_s);
    EXPECT_FALSE(fehlerGeloggt());
    EXPECT_TRUE(server.drehbuch().anfragen().isEmpty());
}

TEST_F(FehlerTest, ServiceFailuresAreLoggedAndShown) {
    server.drehbuch().reiheEin(sttPfad, Antwort::text(500, "kaputt"));
    transkriptIst("hallo");
    server.drehbuch().stelleEin(chatPfad, Antwort::text(503, "überlastet"));
    erstelle();

    diktiere(sprache(1.0));
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Groq fehlgeschlagen: HTTP-Status 500: kaputt"_s));
    EXPECT_TRUE(server.drehbuch().anfragen(chatPfad).isEmpty());
    erwarteFehlerAngezeigt(u"fehler.groq"_s);

    diktiere(sprache(1.0));
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Groq fehlgeschlagen: HTTP-Status 503: überlastet"_s));
    erwarteFehlerAngezeigt(u"fehler.groq"_s);
}

TEST_F(FehlerTest, ABackendWithoutAProviderSaysSo) {
    server.drehbuch().stelleEin(
        sttPfad, Antwort::json(503, {{u"detail"_s, u"Kein Anbieter für \"groq\" eingerichtet."_s},
                                     {u"grund"_s, u"keinAnbieter"_s}}));
    erstelle();
    diktiere(sprache(1.0));
    EXPECT_TRUE(fehlerGeloggt());
    erwarteFehlerAngezeigt(u"fehler.keinAnbieter"_s);
}

TEST_F(FehlerTest, EmptyOrHallucinatedTranscriptsShowNothingRecognised) {
    server.drehbuch().reiheEin(sttPfad, Antwort::text(200, "  "));
    server.drehbuch().reiheEin(
        sttPfad, Antwort::text(200, "Untertitel der Amara.org-Community, danke fürs Zusehen"));
    erstelle();

    diktiere(sprache(1.0));
    erwarteFehlerAngezeigt(u"fehler.nichts"_s);
    diktiere(sprache(1.0));
    erwarteFehlerAngezeigt(u"fehler.nichts"_s);
    EXPECT_TRUE(
        log.enthaelt(u"Halluzination verworfen: Untertitel der Amara.org-Community, dank"_s));
    EXPECT_TRUE(server.drehbuch().anfragen(chatPfad).isEmpty());
}

TEST_F(FehlerTest, ABlankCleanupResultIsDroppedSilently) {
    transkriptIst("hallo");
    chatAntwortet(u" \n "_s);
    erstelle();
    diktiere(sprache(1.0));

    EXPECT_TRUE(log.enthaelt(u"Leeres Ergebnis — still verworfen"_s));
    EXPECT_FALSE(plattform.hud.sichtbar());
    EXPECT_EQ(hud.model().zustand(), AppZustand::idle);
    EXPECT_FALSE(hud.model().fehler().has_value());
    EXPECT_TRUE(eingefuegt().isEmpty());
    EXPECT_TRUE(verlauf.eintraege().isEmpty());
    EXPECT_EQ(plattform.aufrufe.anzahl(u"spiele(bloom)"_s), 1);
}

TEST_F(FehlerTest, AnErrorDisplayDoesNotHideTheNextRecording) {
    erstelle();
    diktiere(sprache(0.1));
    EXPECT_TRUE(hud.model().fehler().has_value());
    queue.vorspulen(1s);
    c().starteAufnahme(Aufnahmemodus::diktat);
    queue.vorspulen(2s);
    EXPECT_TRUE(plattform.hud.sichtbar());
    EXPECT_EQ(hud.model().zustand(), AppZustand::aufnehmend);
    EXPECT_FALSE(hud.model().fehler().has_value());
}

// A reply that the clipboard refuses still reaches the panel and the history; the log
// says that it is not on the clipboard.
TEST_F(FehlerTest, AResultTheClipboardRefusesIsLoggedAsAFailure) {
    transkriptIst("antworte ihm, dass ich komme");
    plattform.kontext.axText.setze(u"Kommst du?"_s);
    chatAntwortet(u"Ich komme."_s);
    plattform.desktop.ablageNimmt = false;
    erstelle();
    diktiere(sprache(1.0));
    EXPECT_THAT(plattform.aufrufe.mit(u"glas("_s), ElementsAre(u"glas(Ich komme.)"_s));
    EXPECT_EQ(verlauf.eintraege().size(), 1);
    EXPECT_TRUE(log.enthaelt(u"FEHLER: 💬 Ergebnis (10 Z.) → nur Glass-Verlauf, die "
                             u"Zwischenablage nimmt es nicht an"_s));
    EXPECT_FALSE(log.enthaelt(u"💬 Ergebnis (10 Z.) → Glass-Verlauf + Zwischenablage"_s));
}

// The "copied, paste by hand" notice of a history card's insert can arrive while the
// next recording runs, or after an Escape: it is shown and touches nothing else.
TEST_F(FehlerTest, ACopyOnlyNoticeLeavesARunningRecordingItsAudio) {
    transkriptIst("hallo welt");
    chatAntwortet(u"Hallo Welt."_s);
    erstelle();
    const QList<QByteArray> chunks = sprache(1.0);
    c().starteAufnahme(Aufnahmemodus::diktat);
    plattform.mikrofon.liefere(chunks.mid(0, 6));

    c().zeigeHinweis(lokal(u"einfuegen.nurKopiert"_s));
    EXPECT_EQ(hud.model().hinweis(), lokal(u"einfuegen.nurKopiert"_s));
    EXPECT_FALSE(hud.model().fehler().has_value());
    EXPECT_TRUE(c().nochAmAufnehmen());
    EXPECT_TRUE(plattform.esc.installiert());
    EXPECT_EQ(plattform.aufrufe.anzahl(u"recorder.stoppe"_s), 0);

    plattform.mikrofon.liefere(chunks.mid(6));
    queue.vorspulen(1800ms);
    EXPECT_FALSE(hud.model().hinweis().has_value());
    EXPECT_TRUE(plattform.hud.sichtbar());
    EXPECT_EQ(c().pcmPuffer().size(), chunks.join().size());

    c().stoppeAufnahme();
    warteAufEnde();
    EXPECT_THAT(eingefuegt(), ElementsAre(u"fuegeEin(Hallo Welt.)"_s));
}

TEST_F(FehlerTest, ACopyOnlyNoticeAfterAnEscapeIsStillShown) {
    erstelle();
    c().starteAufnahme(Aufnahmemodus::diktat);
    plattform.esc.druecke();
    ASSERT_FALSE(plattform.hud.sichtbar());

    c().zeigeHinweis(lokal(u"einfuegen.nurKopiert"_s));
    EXPECT_TRUE(plattform.hud.sichtbar());
    EXPECT_EQ(hud.model().hinweis(), lokal(u"einfuegen.nurKopiert"_s));
    queue.vorspulen(1790ms);
    EXPECT_TRUE(plattform.hud.sichtbar());
    queue.vorspulen(10ms);
    EXPECT_FALSE(plattform.hud.sichtbar());
    EXPECT_FALSE(hud.model().hinweis().has_value());
    EXPECT_EQ(hud.model().zustand(), AppZustand::idle);
}

// Where nothing can post the paste key, the dictation waits on the clipboard and the HUD
// tells the user to paste it by hand; where the clipboard did not take it, the HUD says
// that nothing was pasted. Either notice stays its full time.
TEST_F(FehlerTest, ADictationThatWasNotPastedSaysSoInTheHUD) {
    transkriptIst("hallo welt");
    chatAntwortet(u"Hallo Welt."_s);
    erstelle();
    for (const auto& [ergebnis, key] :
         {std::pair{TextInserter::Ergebnis::nurKopiert, u"einfuegen.nurKopiert"_s},
          std::pair{TextInserter::Ergebnis::fehlgeschlagen, u"einfuegen.fehlgeschlagen"_s}}) {
        SCOPED_TRACE(key.toStdString());
        plattform.desktop.einfuegeErgebnis = ergebnis;
        c().starteAufnahme(Aufnahmemodus::diktat);
        plattform.mikrofon.liefere(sprache(1.0));
        c().stoppeAufnahme();
        warteAufEnde();

        EXPECT_EQ(eingefuegt().last(), u"fuegeEin(Hallo Welt.)"_s);
        EXPECT_EQ(hud.model().hinweis(), lokal(key));
        queue.vorspulen(1790ms);
        EXPECT_TRUE(plattform.hud.sichtbar());
        queue.vorspulen(10ms);
        EXPECT_FALSE(plattform.hud.sichtbar());
    }
}

} // namespace
