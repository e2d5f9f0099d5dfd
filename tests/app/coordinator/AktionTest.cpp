#include "tests/app/coordinator/AktionsTestBasis.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <future>
#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class AktionTest : public AktionsTestBasis {
protected:
    static inline const QString korrigieren =
        u"Korrigiere Rechtschreibung und Grammatik. Ändere sonst nichts am Inhalt."_s;
    static inline const QString tweet = u"Formuliere den Text als knackigen Tweet, maximal 280 "
                                        u"Zeichen, ohne Hashtags-Spam."_s;
};

TEST_F(AktionTest, AReplyRequestGoesToTheReplyPipelineWithoutCommandMatching) {
    plattform.kontext.axText.setze(u"Kommst du heute?"_s);
    chatAntwortet(u"Ich komme später."_s);
    erstelle();
    // "korrigiere" would trigger a standard command.
    const QString gesagt = u"Antworte ihm, dass ich das später korrigiere"_s;
    sage(gesagt);

    ASSERT_EQ(chats().size(), 1);
    EXPECT_EQ(systemVon(chats()[0]), antwortPrompt);
    EXPECT_EQ(nutzerVon(chats()[0]),
              u"ANWEISUNG: ihm, dass ich das später korrigiere\n\nTEXT:\nKommst du heute?"_s);
    EXPECT_TRUE(log.enthaelt(
        u"Antwort-Modus: Nachricht 16 Z., Absicht „ihm, dass ich das später korrigiere\""_s));
    EXPECT_THAT(kontextAufrufe(), ElementsAre(u"ax.text"_s));
    EXPECT_EQ(log.anzahl(u"Eigener Befehl erkannt → "_s + korrigieren), 0);
    erwarteGeliefert(u"Ich komme später."_s, u"Antwort"_s, false, gesagt);
}

TEST_F(AktionTest, CommandsAndKeywordsChooseTheInstructionAndTheDelivery) {
    struct Fall {
        QString gesagt;
        QString instruktion;
        bool eingefuegt;
    };
    const Fall faelle[] = {
        {u"korrigiere das bitte"_s, korrigieren, true},
        {u"übersetze das ins Englische"_s, u"übersetze das ins Englische"_s, true},
        {u"fasse das zusammen"_s, u"fasse das zusammen"_s, false},
        // The command's flag wins over the keyword.
        {u"übersetze das als Tweet"_s, tweet, false},
    };
    // A focused field without selection: its whole value is the context.
    plattform.kontext.axText.setze(u"Das ist der Feldinhalt"_s);
    chatAntwortet(u"Ergebnis."_s);
    erstelle();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gesagt.toStdString());
        vergissLaeufe();
        sage(f.gesagt);

        const Anfrage anfrage = chats().last();
        EXPECT_EQ(systemVon(anfrage), aktionsPrompt);
        EXPECT_EQ(nutzerVon(anfrage),
                  u"ANWEISUNG: "_s + f.instruktion + u"\n\nTEXT:\nDas ist der Feldinhalt"_s);
        EXPECT_THAT(kontextAufrufe(), ElementsAre(u"ax.text"_s));
        EXPECT_EQ(log.anzahl(u"Eigener Befehl erkannt → "_s + f.instruktion.left(60)),
                  f.instruktion == f.gesagt ? 0 : 1);
        erwarteGeliefert(u"Ergebnis."_s, u"Aktion"_s, f.eingefuegt, f.gesagt);
    }
    EXPECT_EQ(log.anzahl(u"Kontext (AX/⌘C): 22 Zeichen"_s), 4);

    const QJsonObject koerper = koerperVon(chats().last());
    EXPECT_EQ(koerper[u"model"].toString(), u"openai/gpt-oss-120b"_s);
    EXPECT_EQ(koerper[u"temperature"].toDouble(), 0.2);
    EXPECT_EQ(koerper[u"reasoning_effort"].toString(), u"low"_s);
    EXPECT_EQ(chats().last().kopf("X-Backend"), "groq");
}

TEST_F(AktionTest, AScreenshotRequestIsAnsweredFromTheWindowIntoThePanel) {
    const QByteArray png =
        QByteArray("\x89PNG\r\n\x1a\n") + QByteArray("\xfb\xff\xbf").repeated(20);
    plattform.kontext.screenshot.setze(png);
    plattform.kontext.axText.setze(u"wird nicht gelesen"_s);
    chatAntwortet(u"Im Fenster steht ein Fehler."_s);
    erstelle();
    // "korrigiere" matches a command that would paste its result.
    const QString gesagt = u"Mach einen Screenshot vom Fenster und korrigiere"_s;
    sage(gesagt);

    EXPECT_THAT(kontextAufrufe(), ElementsAre(u"fensterScreenshot"_s));
    ASSERT_EQ(chats().size(), 1);
    const Anfrage vision = chats()[0];
    EXPECT_EQ(vision.kopf("X-Backend"), "mistral");
    EXPECT_EQ(vision.kopf("Content-Type"), "application/json");
    EXPECT_EQ(vision.kopf("X-Device-Id"), "geraet");
    const QJsonObject text{{u"type"_s, u"text"_s}, {u"text"_s, u"ANWEISUNG: "_s + korrigieren}};
    const QJsonObject bild{
        {u"type"_s, u"image_url"_s},
        {u"image_url"_s, u"data:image/png;base64,iVBORw0KGgr7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7"
                         u"/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/7/78="_s}};
    const QJsonObject erwartet{
        {u"model"_s, u"x"_s},
        {u"temperature"_s, 0.2},
        {u"messages"_s,
         QJsonArray{QJsonObject{{u"role"_s, u"system"_s}, {u"content"_s, visionPrompt}},
                    QJsonObject{{u"role"_s, u"user"_s}, {u"content"_s, QJsonArray{text, bild}}}}},
    };
    EXPECT_EQ(QJsonDocument(koerperVon(vision)).toJson().toStdString(),
              QJsonDocument(erwartet).toJson().toStdString());
    erwarteGeliefert(u"Im Fenster steht ein Fehler."_s, u"Aktion"_s, false, gesagt);
}

// Which text an action works on, by the application in front at the start and what
// its field, the clipboard copy and the page hold.
TEST_F(AktionTest, TheContextComesFromTheFieldTheCopyOrTheBrowserPage) {
    struct Fall {
        std::optional<QString> app;
        QString gesagt;
        QString feld, kopiert, seite;
        QStringList aufrufe;
        QString logZeile;
        QString kontext; // empty: none found, the screenshot is tried
    };
    const QStringList vision{u"fensterScreenshot"_s, u"fensterScreenshot"_s};
    const Fall faelle[] = {
        {u"com.apple.Safari"_s,
         u"Fasse die Seite zusammen"_s,
         u"Feld"_s,
         {},
         u"Seitentext"_s,
         {u"seitentext"_s},
         u"Kontext aus Browser-Volltext: 10 Zeichen"_s,
         u"Seitentext"_s},
        {u"firefox"_s,
         u"Fasse den Artikel zusammen"_s,
         u"Feld"_s,
         {},
         u"Seitentext"_s,
         {u"seitentext"_s},
         u"Kontext aus Browser-Volltext: 10 Zeichen"_s,
         u"Seitentext"_s},
        {u"com.apple.Safari"_s,
         u"Fasse die Seite zusammen"_s,
         u"Feld"_s,
         {},
         {},
         QStringList{u"seitentext"_s} + vision,
         u"Kontext aus Browser-Volltext: 0 Zeichen"_s,
         {}},
        // An unsupported browser: no page, neither asked for nor as a fallback.
        {u"org.gnome.Epiphany"_s,
         u"Fasse die Seite zusammen"_s,
         {},
         {},
         u"Seitentext"_s,
         QStringList{u"ax.text"_s, u"auswahlText"_s} + vision,
         u"Kontext (AX/⌘C): 0 Zeichen"_s,
         {}},
        {std::nullopt,
         u"fasse das zusammen"_s,
         {},
         u"Kopiert"_s,
         u"Seitentext"_s,
         {u"ax.text"_s, u"auswahlText"_s},
         u"Kontext (AX/⌘C): 7 Zeichen"_s,
         u"Kopiert"_s},
        {u"chromium"_s,
         u"fasse das zusammen"_s,
         {},
         {},
         u"Seitentext"_s,
         {u"ax.text"_s, u"auswahlText"_s, u"seitentext"_s},
         u"Kontext-Fallback Browser-Volltext: 10 Zeichen"_s,
         u"Seitentext"_s},
    };
    chatAntwortet(u"Zusammenfassung."_s);
    erstelle();
    for (const Fall& f : faelle) {
        SCOPED_TRACE((f.app.value_or(u"-"_s) + u" "_s + f.gesagt).toStdString());
        vergissLaeufe();
        plattform.desktop.app = f.app;
        plattform.kontext.axText.setze(f.feld);
        plattform.kontext.kopierteAuswahl.setze(f.kopiert);
        plattform.kontext.seite.setze(f.seite);
        const qsizetype chatsVorher = chats().size();
        const int visionVorher = log.anzahl(u"Kein Text-Kontext → Vision-Fallback"_s);
        sage(f.gesagt);

        EXPECT_EQ(kontextAufrufe(), f.aufrufe);
        EXPECT_TRUE(log.enthaelt(f.logZeile));
        if (f.kontext.isEmpty()) {
            EXPECT_EQ(log.anzahl(u"Kein Text-Kontext → Vision-Fallback"_s), visionVorher + 1);
            EXPECT_EQ(chats().size(), chatsVorher);
            erwarteFehler(u"fehler.keinText"_s);
        } else {
            EXPECT_EQ(nutzerVon(chats().last()),
                      u"ANWEISUNG: "_s + f.gesagt + u"\n\nTEXT:\n"_s + f.kontext);
            erwarteGeliefert(u"Zusammenfassung."_s, u"Aktion"_s, false, f.gesagt);
        }
    }
}

// Escape while the context is read: no later step touches the desktop, where a copy
// keystroke or a clipboard swap would hit whatever has the focus by now.
TEST_F(AktionTest, EscapeDuringAContextReadStopsEveryLaterDesktopStep) {
    const struct {
        QString gesagt;
        Aufnahmemodus modus;
        QStringList gelesen; // the last one is interrupted
    } faelle[] = {
        {u"fasse das zusammen"_s, Aufnahmemodus::aktion, {u"ax.text"_s}},
        {u"Antworte, dass ich komme"_s, Aufnahmemodus::aktion, {u"ax.text"_s, u"auswahlText"_s}},
        {u"mach das kürzer"_s, Aufnahmemodus::diktat, {u"ax.auswahl"_s}},
    };
    Skriptwert<QString> abbrechenBei;
    plattform.kontext.waehrendDesLesens = [&](const QString& aufruf) {
        if (aufruf == abbrechenBei.wert()) {
            std::promise<void> gedrueckt;
            queue.post([&] {
                plattform.esc.druecke();
                gedrueckt.set_value();
            });
            gedrueckt.get_future().wait();
        }
    };
    plattform.kontext.screenshot.setze(QByteArray("PNG-Bytes"));
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.gesagt.toStdString());
        abbrechenBei.setze(fall.gelesen.last());
        erstelle();
        sage(fall.gesagt, fall.modus);
        coordinator.reset(); // waits for the cancelled run to wind down
        EXPECT_EQ(kontextAufrufe(), fall.gelesen);
        EXPECT_TRUE(chats().isEmpty());
        EXPECT_TRUE(verlauf.eintraege().isEmpty());
        vergissLaeufe();
    }
    EXPECT_FALSE(log.enthaelt(u"Kein Text-Kontext → Vision-Fallback"_s));
    EXPECT_FALSE(log.enthaelt(u"Antwort-Vision: Screenshot → Mistral-Vision"_s));
}

TEST_F(AktionTest, PromptModeNeverReadsContextAndDropsAnEmptyPrompt) {
    plattform.kontext.axText.setze(u"Feld"_s);
    plattform.kontext.screenshot.setze(QByteArray("png"));
    server.drehbuch().reiheEin(chatPfad, chatAntwort(u" "_s));
    chatAntwortet(u"Rolle: Entwickler"_s);
    erstelle();
    // Neither the reply word nor the command trigger counts in prompt mode.
    const QString gesagt = u"antworte mit einem Tweet über Rust"_s;
    sage(gesagt, Aufnahmemodus::promptModus);
    EXPECT_TRUE(log.enthaelt(u"Leeres Ergebnis — still verworfen"_s));
    EXPECT_TRUE(verlauf.eintraege().isEmpty());
    EXPECT_TRUE(plattform.aufrufe.mit(u"glas("_s).isEmpty());
    EXPECT_TRUE(eingefuegt().isEmpty());

    sage(gesagt, Aufnahmemodus::promptModus);
    erwarteGeliefert(u"Rolle: Entwickler"_s, u"Prompt"_s, true, gesagt);
    EXPECT_THAT(kontextAufrufe(), IsEmpty());
    EXPECT_EQ(log.anzahl(u"Prompt-Modus (Groq)"_s), 2);
    for (const Anfrage& anfrage : chats()) {
        EXPECT_EQ(systemVon(anfrage), promptModusPrompt);
        EXPECT_EQ(nutzerVon(anfrage), gesagt);
    }
}

TEST_F(AktionTest, AFailedCallShowsTheModesMessageAndOnlyTheActionLogsIt) {
    plattform.kontext.axText.setze(u"Feld"_s);
    server.drehbuch().stelleEin(chatPfad, Antwort::text(500, "kaputt"));
    erstelle();
    sage(u"fasse das zusammen"_s);
    erwarteFehler(u"fehler.aktion"_s);
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Aktion fehlgeschlagen: HTTP-Status 500: kaputt"_s));

    queue.vorspulen(std::chrono::seconds(2));
    const int fehlerVorher = static_cast<int>(log.zeilen().filter(u"FEHLER"_s).size());
    sage(u"eine Idee"_s, Aufnahmemodus::promptModus);
    erwarteFehler(u"fehler.prompt"_s);
    EXPECT_EQ(log.zeilen().filter(u"FEHLER"_s).size(), fehlerVorher);
}

} // namespace
