#include "tests/app/coordinator/AktionsTestBasis.hpp"

#include <QJsonArray>
#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

class AntwortVisionTest : public AktionsTestBasis {
protected:
    static inline const QByteArray png = QByteArrayLiteral("PNG-Bytes");
    static inline const QString zusammenfassen = u"Mach einen Screenshot und fasse zusammen"_s;

    // The system prompt and the text of the user message of a vision request.
    static std::pair<QString, QString> visionFrage(const Anfrage& anfrage) {
        const QJsonArray nachrichten = koerperVon(anfrage)[u"messages"].toArray();
        return {nachrichten[0][u"content"].toString(),
                nachrichten[1][u"content"][0][u"text"].toString()};
    }
};

TEST_F(AntwortVisionTest, AFailedReplyChatShowsTheReplyError) {
    plattform.kontext.axText.setze(u"Kommst du?"_s);
    server.drehbuch().stelleEin(chatPfad, Antwort::text(500, "kaputt"));
    erstelle();
    sage(u"antworte, dass ich gleich da bin"_s, Aufnahmemodus::diktat);
    erwarteFehler(u"fehler.antwort"_s);
    EXPECT_EQ(systemVon(chats()[0]), antwortPrompt);
}

// Without a message to read, the reply is drafted from a screenshot; the intent, or a
// friendly default, goes into the prompt.
TEST_F(AntwortVisionTest, AReplyWithoutMessageTextIsDraftedFromTheScreenshot) {
    struct Fall {
        QString gesagt;
        QString absicht;
        QString antwort; // empty: the vision call yields nothing
    };
    const Fall faelle[] = {
        {u"Antworte"_s, u"eine sinnvolle, freundliche Antwort"_s, u"Gern, bis morgen!"_s},
        {u"Antworte: dass ich morgen komme."_s, u"dass ich morgen komme"_s, u"Komme morgen."_s},
        {u"antworte"_s, u"eine sinnvolle, freundliche Antwort"_s, {}},
    };
    plattform.kontext.screenshot.setze(png);
    erstelle();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gesagt.toStdString());
        vergissLaeufe();
        chatAntwortet(f.antwort);
        sage(f.gesagt, Aufnahmemodus::diktat);

        EXPECT_THAT(kontextAufrufe(),
                    ElementsAre(u"ax.text"_s, u"auswahlText"_s, u"fensterScreenshot"_s));
        const auto [system, nutzer] = visionFrage(chats().last());
        EXPECT_EQ(system, antwortVisionPrompt(f.absicht));
        EXPECT_EQ(nutzer, u"Antworte auf die letzte Nachricht im Screenshot."_s);
        if (f.antwort.isEmpty()) {
            erwarteFehler(u"fehler.keineNachricht"_s);
        } else {
            erwarteGeliefert(f.antwort, u"Antwort"_s, false, f.gesagt);
        }
        queue.vorspulen(2s);
    }
    EXPECT_EQ(log.anzahl(u"Antwort-Vision: Screenshot → Mistral-Vision"_s), 3);
    EXPECT_TRUE(log.enthaelt(u"Antwort-Modus: Nachricht 0 Z., Absicht „\""_s));
    EXPECT_TRUE(log.enthaelt(u"Antwort-Modus: Nachricht 0 Z., Absicht „dass ich morgen komme\""_s));
}

TEST_F(AntwortVisionTest, ARejectedVisionCallFallsBackToTextRecognition) {
    plattform.kontext.screenshot.setze(png);
    plattform.kontext.erkannterText.setze(u"Zeile eins\nZeile zwei"_s);
    server.drehbuch().reiheEin(chatPfad, Antwort::fehler(401, u"nicht angemeldet"_s));
    chatAntwortet(u"Zwei Zeilen."_s);
    erstelle();
    sage(zusammenfassen);

    EXPECT_TRUE(log.enthaelt(
        u"FEHLER: Vision-Call fehlgeschlagen: HTTP-Status 401: {\"detail\":\"nicht angemeldet\"}"_s));
    EXPECT_TRUE(log.enthaelt(u"Vision-Aktion fehlgeschlagen → OCR-Fallback"_s));
    // Each step takes its own screenshot.
    EXPECT_THAT(kontextAufrufe(),
                ElementsAre(u"fensterScreenshot"_s, u"fensterScreenshot"_s, u"ocr(PNG-Bytes)"_s));
    const QList<Anfrage> anfragen = chats();
    ASSERT_EQ(anfragen.size(), 2);
    EXPECT_EQ(anfragen[0].kopf("X-Backend"), "mistral");
    EXPECT_EQ(anfragen[1].kopf("X-Backend"), "groq");
    EXPECT_EQ(systemVon(anfragen[1]), aktionsPrompt);
    EXPECT_EQ(nutzerVon(anfragen[1]),
              u"ANWEISUNG: "_s + zusammenfassen + u"\n\nTEXT:\nZeile eins\nZeile zwei"_s);
    erwarteGeliefert(u"Zwei Zeilen."_s, u"Aktion"_s, false, zusammenfassen);
}

// A relay that answers with something other than JSON failed the call: that is logged,
// unlike JSON of another shape (below).
TEST_F(AntwortVisionTest, AVisionAnswerThatIsNoJsonIsLoggedAsAFailedCall) {
    plattform.kontext.screenshot.setze(png);
    plattform.kontext.erkannterText.setze(u"Text"_s);
    server.drehbuch().reiheEin(chatPfad, Antwort::text(200, "<html>Bad Gateway</html>"));
    chatAntwortet(u"Aus dem Text."_s);
    erstelle();
    sage(zusammenfassen);

    const QStringList fehler = log.zeilen().filter(u"FEHLER: "_s);
    ASSERT_EQ(fehler.size(), 1);
    EXPECT_TRUE(
        fehler[0].startsWith(u"FEHLER: Vision-Call fehlgeschlagen: Antwort ist kein JSON: "_s))
        << fehler[0].toStdString();
    EXPECT_TRUE(log.enthaelt(u"Vision-Aktion fehlgeschlagen → OCR-Fallback"_s));
    erwarteGeliefert(u"Aus dem Text."_s, u"Aktion"_s, false, zusammenfassen);
}

// An unusable vision answer and a failed chat are both shown, neither is logged.
TEST_F(AntwortVisionTest, RecognisedTextWithAFailingChatShowsTheActionError) {
    plattform.kontext.screenshot.setze(png);
    plattform.kontext.erkannterText.setze(u"Text"_s);
    server.drehbuch().reiheEin(chatPfad, Antwort::json(200, {{u"choices"_s, QJsonArray{}}}));
    server.drehbuch().stelleEin(chatPfad, Antwort::text(502, "weg"));
    erstelle();
    sage(zusammenfassen);
    EXPECT_EQ(chats().size(), 2);
    erwarteFehler(u"fehler.aktion"_s);
    EXPECT_FALSE(fehlerGeloggt());
}

TEST_F(AntwortVisionTest, WithoutAWindowThereIsNoTextAndNoLogLine) {
    plattform.kontext.erkannterText.setze(u"nie gelesen"_s);
    erstelle();
    sage(zusammenfassen);
    erwarteFehler(u"fehler.keinText"_s);
    EXPECT_TRUE(chats().isEmpty());
    EXPECT_FALSE(fehlerGeloggt());
    EXPECT_THAT(kontextAufrufe(), ElementsAre(u"fensterScreenshot"_s, u"fensterScreenshot"_s));
}

TEST_F(AntwortVisionTest, EscapeDuringTheVisionCallDropsEverything) {
    plattform.kontext.screenshot.setze(png);
    plattform.kontext.erkannterText.setze(u"Text"_s);
    server.drehbuch().stelleEin(chatPfad, Antwort::nie());
    erstelle();
    transkriptIst(zusammenfassen.toUtf8());
    nimmAuf(Aufnahmemodus::aktion, sprache(1.0));
    ASSERT_TRUE(queue.warteBis([&] { return chats().size() == 1; }));
    const int getrenntVorher = server.getrennt();

    plattform.esc.druecke();
    ASSERT_TRUE(queue.warteBis([&] { return server.getrennt() > getrenntVorher; }));
    queue.vorspulen(3s);
    EXPECT_THAT(kontextAufrufe(), ElementsAre(u"fensterScreenshot"_s));
    EXPECT_FALSE(log.enthaelt(u"Vision-Aktion fehlgeschlagen → OCR-Fallback"_s));
    EXPECT_FALSE(fehlerGeloggt());
    EXPECT_FALSE(hud.model().fehler().has_value());
    EXPECT_TRUE(verlauf.eintraege().isEmpty());
    EXPECT_TRUE(plattform.aufrufe.mit(u"glas("_s).isEmpty());
}

} // namespace
