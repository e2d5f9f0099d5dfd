#include "core/text/SprachEditing.hpp"

#include <QRegularExpression>
#include <QStringView>
#include <algorithm>
#include <array>

namespace parlix::SprachEditing {

namespace {

// Substring hits count, also inside longer words: "verlängern" holds "länger".
constexpr std::array<QStringView, 48> phrasen{
    u"mach das",    u"mach es",        u"mach den text", u"mach die",        u"formulier",
    u"umformulier", u"schreib das um", u"schreib um",    u"überarbeite",     u"korrigier",
    u"verbesser",   u"glätte",         u"bereinige",     u"aufbereit",       u"kürzer",
    u"kürze das",   u"kürze es",       u"länger",        u"ausführlicher",   u"förmlich",
    u"formeller",   u"förmlicher",     u"lockerer",      u"höflicher",       u"professioneller",
    u"sachlicher",  u"freundlicher",   u"grammatik",     u"rechtschreibung", u"übersetz",
    u"fasse",       u"fass das",       u"fass es",       u"zusammenfass",    u"make this",
    u"make it",     u"rewrite",        u"rephrase",      u"reword",          u"fix the grammar",
    u"shorter",     u"longer",         u"more formal",   u"more casual",     u"more polite",
    u"summarize",   u"translate this", u"correct",
};

// The separable verb "aufbereiten": "bereite das auf", "auf bereit". Unicode properties
// make \b treat umlauts and ß as letters, as a German word boundary must. One instance
// per thread: dictations are checked on pipeline threads.
const QRegularExpression& aufbereitenMuster() {
    static thread_local const QRegularExpression muster(
        QStringLiteral("bereite[t]?\\b.{0,20}\\bauf\\b|auf\\s*bereit"),
        QRegularExpression::UseUnicodePropertiesOption);
    return muster;
}

} // namespace

bool istEditBefehl(const QString& text) {
    const QString klein = text.toLower();
    const bool phrase = std::any_of(phrasen.begin(), phrasen.end(),
                                    [&klein](QStringView p) { return klein.contains(p); });
    return phrase || aufbereitenMuster().match(klein).hasMatch();
}

} // namespace parlix::SprachEditing
