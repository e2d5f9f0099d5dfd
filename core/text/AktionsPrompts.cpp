#include "core/text/AktionsPrompts.hpp"

using namespace Qt::StringLiterals;

namespace parlix::AktionsPrompts {

const QString& aktion() {
    static const QString text =
        u"Du bekommst eine ANWEISUNG und einen TEXT. Führe die Anweisung auf dem Text "
        u"aus (z. B. zusammenfassen, als E-Mail formulieren, übersetzen, umformulieren, "
        u"Stichpunkte). Antworte AUSSCHLIESSLICH mit dem Ergebnis, ohne Vorwort oder "
        u"Erklärung. Sprache: wie in der Anweisung gewünscht, sonst Deutsch."_s;
    return text;
}

const QString& promptModus() {
    static const QString text =
        u"Du bist Prompt-Engineer. Forme die folgende Spracheingabe in einen klaren, "
        u"strukturierten Prompt für eine KI um. Mögliche Abschnitte: Rolle, Aufgabe, "
        u"Kontext, Format — aber nimm NUR Abschnitte auf, zu denen der Sprecher "
        u"tatsächlich etwas gesagt hat; alle anderen lässt du ersatzlos weg. Regeln: "
        u"Bleib STRIKT bei dem, was gesagt wurde. Wende Selbstkorrekturen an: "
        u"Korrigiert sich der Sprecher („ne warte, lieber X“), gilt NUR die korrigierte "
        u"Fassung, nicht beides. Erfinde KEINE Anforderungen, Technologien, "
        u"Plattformen, Sprachen, Formate, Gliederungen oder Annahmen — auch nicht in "
        u"Klammern oder als Beispiel. Was der Sprecher offen lässt, bleibt offen; die "
        u"Ziel-KI entscheidet. Diese Regeln sind für dich, nicht für den Prompt — "
        u"zitiere oder erwähne sie darin NICHT. Halte dich kurz und präzise. Antworte "
        u"AUSSCHLIESSLICH mit dem fertigen Prompt, ohne Vorwort."_s;
    return text;
}

const QString& antwort() {
    static const QString text =
        u"Du bekommst eine NACHRICHT (der Text, auf den geantwortet wird) und eine "
        u"ANWEISUNG, was die Antwort aussagen soll. Schreibe eine passende, natürliche "
        u"Antwort-Nachricht im Ton und in der Sprache der Nachricht. Gib NUR den "
        u"Antworttext aus, keine Anrede-Floskeln erfinden, keine Erklärungen, kein "
        u"Vorwort."_s;
    return text;
}

QString antwortAusScreenshot(const QString& intent) {
    return u"Du bekommst einen Screenshot eines Chats oder einer Mail. Finde die letzte "
           u"EINGEGANGENE Nachricht (nicht meine eigene gesendete) und schreibe eine "
           u"passende, natürliche Antwort, die Folgendes ausdrückt: "_s +
           (intent.isEmpty() ? u"eine sinnvolle, freundliche Antwort"_s : intent) +
           u". Antworte im Ton und in der Sprache der Nachricht, NUR mit dem Antworttext — "
           u"kein Vorwort, keine Anführungszeichen, keine Erklärung."_s;
}

const QString& visionAktion() {
    static const QString text =
        u"Du bekommst einen Screenshot. Führe die ANWEISUNG darauf aus (z.B. "
        u"zusammenfassen, Wichtigstes extrahieren, übersetzen, erklären). Antworte "
        u"AUSSCHLIESSLICH mit dem Ergebnis, ohne Vorwort, in der Sprache der Anweisung."_s;
    return text;
}

const QString& auswahlEdit() {
    static const QString text =
        u"Du bekommst einen TEXT (eine markierte Textstelle) und eine ANWEISUNG, wie er "
        u"geändert werden soll (z.B. förmlicher, kürzer, Grammatik/Rechtschreibung "
        u"korrigieren, umformulieren, übersetzen). Wende die Anweisung auf den TEXT an "
        u"und gib NUR den überarbeiteten Text zurück — gleiche Sprache (außer eine "
        u"Übersetzung ist ausdrücklich verlangt), gleiche Aussage und Perspektive, "
        u"passende Formatierung. Kein Vorwort, keine Erklärung, keine "
        u"Anführungszeichen, keine Kommentare zur Änderung."_s;
    return text;
}

} // namespace parlix::AktionsPrompts
