#include "tests/app/coordinator/AktionsTestBasis.hpp"

#include <gmock/gmock.h>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;

namespace {

class AuswahlEditTest : public AktionsTestBasis {};

// The selection comes from the accessibility interface, else from a copy; the field's
// whole value is never used. Without a selection the dictation is cleaned up as usual.
TEST_F(AuswahlEditTest, OnlyASelectionIsRewrittenInPlace) {
    struct Fall {
        QString markiert, kopiert;
        QStringList aufrufe;
        QString auswahl; // empty: none, ordinary dictation
    };
    const Fall faelle[] = {
        {u"hey, komme morgen "_s, u"nie kopiert"_s, {u"ax.auswahl"_s}, u"hey, komme morgen "_s},
        {{}, u"kopierter Satz"_s, {u"ax.auswahl"_s, u"auswahlText"_s}, u"kopierter Satz"_s},
        {{}, {}, {u"ax.auswahl"_s, u"auswahlText"_s}, {}},
        {u" \n"_s, u"nie kopiert"_s, {u"ax.auswahl"_s}, {}},
    };
    const QString gesagt = u"mach das bitte viel förmlicher und deutlich kürzer als vorher"_s;
    // A focused field that has text: not a selection.
    plattform.kontext.axText.setze(u"der ganze Feldinhalt"_s);
    chatAntwortet(u"Neu."_s);
    erstelle();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.markiert.toStdString() + "/" + f.kopiert.toStdString());
        vergissLaeufe();
        plattform.kontext.axAuswahl.setze(f.markiert);
        plattform.kontext.kopierteAuswahl.setze(f.kopiert);
        sage(gesagt, Aufnahmemodus::diktat);

        EXPECT_EQ(kontextAufrufe(), f.aufrufe);
        const Anfrage anfrage = chats().last();
        if (f.auswahl.isEmpty()) {
            EXPECT_EQ(systemVon(anfrage), cleanupPrompt());
            erwarteGeliefert(u"Neu."_s, u"Diktat"_s, true, gesagt);
        } else {
            EXPECT_EQ(systemVon(anfrage), editPrompt);
            EXPECT_EQ(nutzerVon(anfrage), u"ANWEISUNG: "_s + gesagt + u"\n\nTEXT:\n"_s + f.auswahl);
            EXPECT_TRUE(log.enthaelt(u"✏️ Sprach-Editing: Auswahl "_s +
                                     QString::number(f.auswahl.size()) +
                                     u" Z. → „mach das bitte viel förmlicher und deutl\""_s));
            erwarteGeliefert(u"Neu."_s, u"Bearbeitung"_s, true, gesagt);
        }
    }
}

TEST_F(AuswahlEditTest, AFailedRewriteIsAServiceError) {
    plattform.kontext.axAuswahl.setze(u"Text"_s);
    server.drehbuch().stelleEin(chatPfad, Antwort::text(500, "kaputt"));
    erstelle();
    sage(u"mach das kürzer"_s, Aufnahmemodus::diktat);
    erwarteFehler(u"fehler.groq"_s);
    EXPECT_TRUE(log.enthaelt(u"FEHLER: Groq fehlgeschlagen: HTTP-Status 500: kaputt"_s));
    EXPECT_EQ(chats().size(), 1);
}

} // namespace
