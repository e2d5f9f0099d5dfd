#include "tests/app/coordinator/AktionsTestBasis.hpp"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace parlix::test {

const QString AktionsTestBasis::aktionsPrompt =
    u"Du bekommst eine ANWEISUNG und einen TEXT. Führe die Anweisung auf dem Text aus (z. B. "
    u"zusammenfassen, als E-Mail formulieren, übersetzen, umformulieren, Stichpunkte). "
    u"Antworte AUSSCHLIESSLICH mit dem Ergebnis, ohne Vorwort oder Erklärung. Sprache: wie in "
    u"der Anweisung gewünscht, sonst Deutsch."_s;

const QString AktionsTestBasis::promptModusPrompt =
    u"Du bist Prompt-Engineer. Forme die folgende Spracheingabe in einen klaren, "
    u"strukturierten Prompt für eine KI um. Mögliche Abschnitte: Rolle, Aufgabe, Kontext, "
    u"Format — aber nimm NUR Abschnitte auf, zu denen der Sprecher tatsächlich etwas gesagt "
    u"hat; alle anderen lässt du ersatzlos weg. Regeln: Bleib STRIKT bei dem, was gesagt "
    u"wurde. Wende Selbstkorrekturen an: Korrigiert sich der Sprecher („ne warte, lieber X“), "
    u"gilt NUR die korrigierte Fassung, nicht beides. Erfinde KEINE Anforderungen, "
    u"Technologien, Plattformen, Sprachen, Formate, Gliederungen oder Annahmen — auch nicht in "
    u"Klammern oder als Beispiel. Was der Sprecher offen lässt, bleibt offen; die Ziel-KI "
    u"entscheidet. Diese Regeln sind für dich, nicht für den Prompt — zitiere oder erwähne sie "
    u"darin NICHT. Halte dich kurz und präzise. Antworte AUSSCHLIESSLICH mit dem fertigen "
    u"Prompt, ohne Vorwort."_s;

const QString AktionsTestBasis::antwortPrompt =
    u"Du bekommst eine NACHRICHT (der Text, auf den geantwortet wird) und eine ANWEISUNG, was "
    u"die Antwort aussagen soll. Schreibe eine passende, natürliche Antwort-Nachricht im Ton "
    u"und in der Sprache der Nachricht. Gib NUR den Antworttext aus, keine Anrede-Floskeln "
    u"erfinden, keine Erklärungen, kein Vorwort."_s;

const QString AktionsTestBasis::visionPrompt =
    u"Du bekommst einen Screenshot. Führe die ANWEISUNG darauf aus (z.B. zusammenfassen, "
    u"Wichtigstes extrahieren, übersetzen, erklären). Antworte AUSSCHLIESSLICH mit dem "
    u"Ergebnis, ohne Vorwort, in der Sprache der Anweisung."_s;

const QString AktionsTestBasis::editPrompt =
    u"Du bekommst einen TEXT (eine markierte Textstelle) und eine ANWEISUNG, wie er geändert "
    u"werden soll (z.B. förmlicher, kürzer, Grammatik/Rechtschreibung korrigieren, "
    u"umformulieren, übersetzen). Wende die Anweisung auf den TEXT an und gib NUR den "
    u"überarbeiteten Text zurück — gleiche Sprache (außer eine Übersetzung ist ausdrücklich "
    u"verlangt), gleiche Aussage und Perspektive, passende Formatierung. Kein Vorwort, keine "
    u"Erklärung, keine Anführungszeichen, keine Kommentare zur Änderung."_s;

QString AktionsTestBasis::antwortVisionPrompt(const QString& intent) {
    return u"Du bekommst einen Screenshot eines Chats oder einer Mail. Finde die letzte "
           u"EINGEGANGENE Nachricht (nicht meine eigene gesendete) und schreibe eine passende, "
           u"natürliche Antwort, die Folgendes ausdrückt: "_s +
           intent +
           u". Antworte im Ton und in der Sprache der Nachricht, NUR mit dem Antworttext — kein "
           u"Vorwort, keine Anführungszeichen, keine Erklärung."_s;
}

AktionsTestBasis::AktionsTestBasis() {
    // The vision call must go to the Mistral relay even when the other calls do not.
    einstellungen.setzeDsgvoModus(false);
}

void AktionsTestBasis::sage(const QString& transkript, Aufnahmemodus modus) {
    transkriptIst(transkript.toUtf8());
    diktiere(sprache(1.0), modus);
}

void AktionsTestBasis::vergissLaeufe() {
    plattform.aufrufe.leere();
    verlauf.leeren();
}

QJsonObject AktionsTestBasis::koerperVon(const Anfrage& anfrage) {
    return QJsonDocument::fromJson(anfrage.koerper).object();
}

QStringList AktionsTestBasis::kontextAufrufe() const {
    QStringList aufrufe;
    for (const QString& aufruf : plattform.aufrufe.liste()) {
        for (const QString& leser :
             {u"ax."_s, u"auswahlText"_s, u"seitentext"_s, u"fensterScreenshot"_s, u"ocr("_s}) {
            if (aufruf.startsWith(leser)) {
                aufrufe.append(aufruf);
            }
        }
    }
    return aufrufe;
}

void AktionsTestBasis::erwarteGeliefert(const QString& text, const QString& art, bool eingefuegt,
                                        const QString& gesagt) {
    const QStringList erwartet{(eingefuegt ? u"fuegeEin(%1)"_s : u"glas(%1)"_s).arg(text)};
    EXPECT_EQ(plattform.aufrufe.mit(u"fuegeEin("_s) + plattform.aufrufe.mit(u"glas("_s), erwartet);
    ASSERT_EQ(verlauf.eintraege().size(), 1);
    EXPECT_EQ(verlauf.eintraege()[0].art, art);
    EXPECT_EQ(verlauf.eintraege()[0].text, text);
    EXPECT_EQ(verlauf.eintraege()[0].gesagt, gesagt);
    EXPECT_FALSE(hud.model().fehler().has_value());
}

void AktionsTestBasis::erwarteFehler(const QString& key) {
    EXPECT_EQ(hud.model().fehler(), lokal(key));
    EXPECT_TRUE(eingefuegt().isEmpty());
    EXPECT_TRUE(plattform.aufrufe.mit(u"glas("_s).isEmpty());
    EXPECT_TRUE(verlauf.eintraege().isEmpty());
}

bool AktionsTestBasis::fehlerGeloggt() const {
    const QStringList zeilen = log.zeilen();
    return std::any_of(zeilen.cbegin(), zeilen.cend(),
                       [](const QString& z) { return z.startsWith(u"FEHLER"_s); });
}

} // namespace parlix::test
