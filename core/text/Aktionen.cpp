#include "core/text/Aktionen.hpp"

#include "core/text/Leerraum.hpp"

#include <QStringView>
#include <algorithm>
#include <array>
#include <initializer_list>

namespace parlix::Aktionen {

namespace {

bool enthaeltEines(const QString& text, std::initializer_list<QStringView> woerter) {
    const QString klein = text.toLower();
    return std::any_of(woerter.begin(), woerter.end(),
                       [&](QStringView wort) { return klein.contains(wort); });
}

QString ohneRaender(const QString& text, QStringView zeichen) {
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && zeichen.contains(text.at(anfang))) {
        ++anfang;
    }
    while (ende > anfang && zeichen.contains(text.at(ende - 1))) {
        --ende;
    }
    return text.mid(anfang, ende - anfang);
}

} // namespace

bool istAntwortAnfrage(const QString& text) {
    static constexpr std::array<QStringView, 3> praefixe{u"antworte", u"antwort ", u"reply"};
    const QString klein = text.toLower();
    return std::any_of(praefixe.begin(), praefixe.end(),
                       [&](QStringView praefix) { return klein.startsWith(praefix); });
}

bool willScreenshot(const QString& text) {
    return enthaeltEines(text, {u"screenshot", u"bildschirm", u"fenster"});
}

bool willSeite(const QString& text) {
    return enthaeltEines(text,
                         {u"seite", u"webseite", u"website", u"artikel", u"page", u"article"});
}

bool direktHeuristik(const QString& text) {
    return enthaeltEines(text, {u"übersetz", u"umformulier", u"korrigier", u"formell", u"höflich",
                                u"kürzer", u"ersetz"});
}

QString antwortIntent(const QString& text) {
    // Longest first: "antworte" would leave the "n" of "antworten" behind.
    static constexpr std::array<QStringView, 4> praefixe{u"antworten", u"antworte", u"antwort",
                                                         u"reply"};
    QString rest = ohneBlanksUndTabs(text);
    const QString klein = rest.toLower();
    const auto praefix = std::find_if(praefixe.begin(), praefixe.end(),
                                      [&](QStringView p) { return klein.startsWith(p); });
    if (praefix != praefixe.end()) {
        // The prefixes are ASCII, so they stand for as many code units in the original.
        // A prefix that ends inside a longer word ("Antwortet ihm ...") takes the whole
        // word, so that no stray letters open the intent.
        qsizetype ende = praefix->size();
        while (ende < rest.size() && rest.at(ende).isLetter()) {
            ++ende;
        }
        rest.remove(0, ende);
    }
    return ohneBlanksUndTabs(ohneRaender(rest, u" ,.:;-–"));
}

} // namespace parlix::Aktionen
