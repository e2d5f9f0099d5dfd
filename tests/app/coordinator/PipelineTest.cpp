#include "app/coordinator/pipeline/Pipeline.hpp"

#include "tests/app/coordinator/AktionsTestBasis.hpp"

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;

namespace {

// The pipeline on its own: no coordinator, HUD, main queue or inserter; each run is
// called on the test's thread against the reference server and its result checked.
class PipelineTest : public AktionsTestBasis {
protected:
    // The application in front when the recording started.
    static inline const QString app = u"org.mozilla.Thunderbird"_s;

    Lauf lauf(Aufnahmemodus modus, std::stop_token stop = {}) {
        return {stop, modus, app, queue.jetzt(), LaufEinstellungen::lies(speicher)};
    }

    PipelineErgebnis verarbeite(const Lauf& l) {
        QByteArray pcm;
        for (const QByteArray& chunk : sprache(1.0)) {
            pcm += chunk;
        }
        return pipeline.verarbeite(l, pcm, nullptr);
    }

    static void erwarte(const PipelineErgebnis& ergebnis, const QString& text, const QString& art,
                        bool einfuegen, const QString& gesagt) {
        EXPECT_EQ(ergebnis.fall, PipelineErgebnis::Fall::geliefert);
        EXPECT_EQ(ergebnis.text, text);
        EXPECT_EQ(ergebnis.art, art);
        EXPECT_EQ(ergebnis.einfuegen, einfuegen);
        EXPECT_EQ(ergebnis.gesagt, gesagt);
    }

    Pipeline pipeline{{http, plattform.kontext, plattform.kontext, plattform.kontext,
                       plattform.kontext, plattform.kontext, [this] { return queue.jetzt(); }}};
};

TEST_F(PipelineTest, EveryKindOfRunReturnsItsResultWithoutAnyoneToShowIt) {
    struct Fall {
        QString gesagt;
        Aufnahmemodus modus;
        QString system; // of the last chat request
        QString art;
        bool einfuegen;
    };
    const QString auswahlEdit = u"mach das bitte viel förmlicher und deutlich kürzer als vorher"_s;
    const Fall faelle[] = {
        {u"ähm hallo welt"_s, Aufnahmemodus::diktat, cleanupPrompt(app), u"Diktat"_s, true},
        {auswahlEdit, Aufnahmemodus::diktat, editPrompt, u"Bearbeitung"_s, true},
        {u"antworte, dass ich gleich da bin"_s, Aufnahmemodus::diktat, antwortPrompt, u"Antwort"_s,
         false},
        {u"korrigiere das bitte"_s, Aufnahmemodus::aktion, aktionsPrompt, u"Aktion"_s, true},
        {u"eine Idee"_s, Aufnahmemodus::promptModus, promptModusPrompt, u"Prompt"_s, true},
        {u"Mach einen Screenshot und fasse zusammen"_s, Aufnahmemodus::aktion, visionPrompt,
         u"Aktion"_s, false},
    };
    plattform.kontext.axText.setze(u"Kommst du?"_s);
    plattform.kontext.axAuswahl.setze(u"hey, komme morgen"_s);
    plattform.kontext.screenshot.setze(QByteArrayLiteral("PNG"));
    chatAntwortet(u"Ergebnis."_s);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gesagt.toStdString());
        transkriptIst(f.gesagt.toUtf8());
        erwarte(verarbeite(lauf(f.modus)), u"Ergebnis."_s, f.art, f.einfuegen, f.gesagt);
        EXPECT_EQ(systemVon(chats().last()), f.system);
    }

    // Failures come back as the key of their message and the line to log.
    server.drehbuch().stelleEin(chatPfad, Antwort::text(500, "kaputt"));
    const PipelineErgebnis fehler = verarbeite(lauf(Aufnahmemodus::diktat));
    EXPECT_EQ(fehler.fall, PipelineErgebnis::Fall::fehler);
    EXPECT_EQ(fehler.fehlerKey, u"fehler.groq"_s);
    EXPECT_TRUE(fehler.logZeile.startsWith(u"FEHLER: Groq fehlgeschlagen: "_s));
    // Nothing of it was delivered or shown.
    EXPECT_TRUE(plattform.aufrufe.mit(u"fuegeEin("_s).isEmpty());
    EXPECT_TRUE(plattform.aufrufe.mit(u"hud."_s).isEmpty());
    EXPECT_TRUE(verlauf.eintraege().isEmpty());
}

// The settings are those of the moment the recording stopped; a cancelled run asks no
// one anything.
TEST_F(PipelineTest, ARunKeepsItsSettingsAndACancelledOneStopsBeforeItsFirstCall) {
    transkriptIst("hallo welt");
    chatAntwortet(u"Hallo Welt."_s);
    const Lauf gestoppt = lauf(Aufnahmemodus::diktat);
    const QString prompt = cleanupPrompt(app);
    einstellungen.setzeDsgvoModus(true);
    einstellungen.setzeSchreibstil(u"Stichpunkte"_s);
    ASSERT_NE(cleanupPrompt(app), prompt);

    erwarte(verarbeite(gestoppt), u"Hallo Welt."_s, u"Diktat"_s, true, u"hallo welt"_s);
    const auto stt = server.drehbuch().anfragen(sttPfad);
    ASSERT_EQ(stt.size(), 1);
    EXPECT_TRUE(stt[0].koerper.contains("whisper-large-v3"));
    EXPECT_EQ(stt[0].kopf("X-Backend"), "groq");
    EXPECT_EQ(systemVon(chats().last()), prompt);

    std::stop_source abbruch;
    abbruch.request_stop();
    const PipelineErgebnis ergebnis = verarbeite(lauf(Aufnahmemodus::aktion, abbruch.get_token()));
    EXPECT_EQ(ergebnis.fall, PipelineErgebnis::Fall::abgebrochen);
    EXPECT_EQ(server.drehbuch().anfragen().size(), 2);
    EXPECT_TRUE(kontextAufrufe().isEmpty());
}

} // namespace
