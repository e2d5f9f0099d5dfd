#include "core/text/Schreibstil.hpp"

#include "core/util/Finde.hpp"

#include <array>

namespace parlix {

namespace {

constexpr std::array<Schreibstil, 10> stile{{
    {Schreibstil::Fall::normal, u"Normal", u"stil.normal", u""},
    {Schreibstil::Fall::natuerlich, u"Natürlich", u"stil.natuerlich",
     u"Stil: natürlich und menschlich, gut lesbar, ohne steif zu wirken — bleib aber beim Inhalt."},
    {Schreibstil::Fall::kurz, u"Kurz & knapp", u"stil.kurz",
     u"Stil: verdichte auf das Wesentliche, kurze klare Sätze, keine Wiederholungen — aber "
     u"verliere keine Information."},
    {Schreibstil::Fall::locker, u"Locker / Jung", u"stil.locker",
     u"Stil: locker, jung und entspannt, ruhig umgangssprachlich, aber verständlich."},
    {Schreibstil::Fall::klein, u"nur klein", u"stil.klein",
     u"Stil: schreibe alles durchgehend klein, keine Großbuchstaben (auch nicht bei Nomen oder am "
     u"Satzanfang)."},
    {Schreibstil::Fall::gehoben, u"Gehoben", u"stil.gehoben",
     u"Stil: formell, professionell und höflich, in vollständigen Sätzen."},
    {Schreibstil::Fall::eloquent, u"Sehr gehoben", u"stil.eloquent",
     u"Stil: sehr gehoben und eloquent, mit gewähltem, anspruchsvollem Wortschatz, aber klar "
     u"verständlich."},
    {Schreibstil::Fall::business, u"Business / E-Mail", u"stil.business",
     u"Stil: prägnant und professionell wie eine E-Mail — klare Struktur, sachlicher Ton, ein "
     u"klarer Schluss-/Handlungssatz."},
    {Schreibstil::Fall::stichpunkte, u"Stichpunkte", u"stil.stichpunkte",
     u"Stil: formatiere als knappe Stichpunkte mit Spiegelstrichen statt Fließtext, ein Gedanke "
     u"pro Punkt."},
    {Schreibstil::Fall::woertlich, u"Wörtlich / Roh", u"stil.woertlich",
     u"Stil: minimal eingreifen — nur Füllwörter und Versprecher raus, Satzzeichen setzen; "
     u"Wortwahl, Reihenfolge und Stimme sonst UNANGETASTET, NICHT umformulieren, kürzen oder "
     u"zusammenfassen."},
}};

} // namespace

std::span<const Schreibstil> Schreibstil::alle() {
    return stile;
}

std::optional<Schreibstil> Schreibstil::aus(QStringView rohwert) {
    return findeErstes(stile, [rohwert](const Schreibstil& s) { return s.rohwert == rohwert; });
}

} // namespace parlix
