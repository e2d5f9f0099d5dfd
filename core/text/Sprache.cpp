#include "core/text/Sprache.hpp"

#include "core/util/Finde.hpp"

#include <QLocale>
#include <array>

namespace parlix {

namespace {

constexpr std::array<Sprache, 6> sprachen{{
    {Sprache::Fall::deutsch, u"deutsch", u"de", u"Deutsch"},
    {Sprache::Fall::englisch, u"englisch", u"en", u"English"},
    {Sprache::Fall::franzoesisch, u"franzoesisch", u"fr", u"Français"},
    {Sprache::Fall::spanisch, u"spanisch", u"es", u"Español"},
    {Sprache::Fall::japanisch, u"japanisch", u"ja", u"日本語"},
    {Sprache::Fall::chinesisch, u"chinesisch", u"zh", u"中文"},
}};

constexpr const Sprache& englisch = sprachen[1];

} // namespace

std::span<const Sprache> Sprache::alle() {
    return sprachen;
}

std::optional<Sprache> Sprache::aus(QStringView code) {
    return findeErstes(sprachen, [code](const Sprache& s) { return s.code == code; });
}

Sprache Sprache::system() {
    // On Linux Qt derives this list from LANGUAGE, then the message locale.
    return system(QLocale::system().uiLanguages());
}

Sprache Sprache::system(const QStringList& bevorzugt) {
    if (bevorzugt.isEmpty()) {
        return englisch;
    }
    return aus(bevorzugt.first().left(2).toLower()).value_or(englisch);
}

} // namespace parlix
