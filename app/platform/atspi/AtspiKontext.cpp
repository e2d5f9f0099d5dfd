#include "app/platform/atspi/AtspiKontext.hpp"

#include "app/platform/atspi/AtspiBaum.hpp"
#include "app/platform/atspi/AtspiDokumentText.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/text/Zeichen.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Browsers and rich-text fields stand a child element in for a character: read from
// the children what the user sees instead. Whatever stays unresolved is dropped, and a
// text of nothing else counts as no text.
QString aufgeloest(QString text, AtspiAccessible* knoten, AtspiBaum::Uhr::time_point ende,
                   QString (*aufloesen)(AtspiAccessible*, AtspiBaum::Uhr::time_point)) {
    if (!text.contains(AtspiDokumentText::kEingebettet)) {
        return text;
    }
    text = aufloesen(knoten, ende).remove(AtspiDokumentText::kEingebettet);
    return text.trimmed().isEmpty() ? QString() : text;
}

} // namespace

struct AtspiKontext::Element {
    bool gefunden = false;
    QString rolle;
    QString auswahl;
    QString wert;
};

AtspiKontext::Element AtspiKontext::lies(bool mitWert) {
    const auto ende = AtspiBaum::Uhr::now() + kFrist;
    auto fund = verbindung_.fuehreAus<Element>(
        [ende, mitWert] {
            Element element;
            AtspiBaum::Knoten fenster = AtspiBaum::aktivesFenster();
            AtspiBaum::Knoten knoten =
                fenster ? AtspiBaum::fokussiertesElement(fenster.get(), ende) : nullptr;
            if (knoten) {
                element.gefunden = true;
                element.rolle = AtspiBaum::rolle(knoten.get());
                element.auswahl = aufgeloest(AtspiBaum::auswahl(knoten.get()), knoten.get(), ende,
                                             &AtspiDokumentText::auswahl);
                if (mitWert && element.auswahl.isEmpty()) {
                    element.wert = aufgeloest(AtspiBaum::ganzerText(knoten.get()), knoten.get(),
                                              ende, &AtspiDokumentText::lies);
                }
            }
            return element;
        },
        // Reading a page's children stops at `ende`; the call that was running then may
        // still need to come back.
        kFrist + std::chrono::milliseconds(500));
    return fund.value_or(Element{});
}

QString AtspiKontext::text() {
    const Element element = lies(true);
    const auto zeichen = [](const QString& text) { return QString::number(anzahlZeichen(text)); };
    if (!element.gefunden) {
        log().schreibe(u"AX: kein fokussiertes Element"_s);
        return {};
    }
    if (!element.auswahl.isEmpty()) {
        log().schreibe(u"AX: Auswahl ("_s + zeichen(element.auswahl) + u" Z., Rolle "_s +
                       element.rolle + u')');
        return element.auswahl;
    }
    if (!element.wert.isEmpty()) {
        log().schreibe(u"AX: Feldinhalt ("_s + zeichen(element.wert) + u" Z., Rolle "_s +
                       element.rolle + u')');
        return element.wert;
    }
    log().schreibe(u"AX: Element ohne Text (Rolle "_s + element.rolle + u')');
    return {};
}

QString AtspiKontext::auswahl() {
    return lies(false).auswahl;
}

} // namespace parlix
