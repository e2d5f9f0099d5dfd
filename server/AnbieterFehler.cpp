#include "server/AnbieterFehler.hpp"

using namespace Qt::StringLiterals;

namespace parlix::AnbieterFehler {

namespace {

// What of the provider's own words is passed on.
constexpr qsizetype maxText = 300;

Antwort fehler(int status, const QString& grund, const QString& detail, int anbieterStatus,
               const QString& anbieterText) {
    return Antwort::json(status, {{u"detail"_s, detail},
                                  {u"grund"_s, grund},
                                  {u"anbieterStatus"_s, anbieterStatus},
                                  {u"anbieterText"_s, anbieterText.left(maxText)}});
}

} // namespace

Antwort ohneAntwort(Transport art, const QString& fehlertext) {
    switch (art) {
    case Transport::nichtErreichbar:
        return fehler(502, u"anbieterNichtErreichbar"_s, u"The provider cannot be reached."_s, 0,
                      fehlertext);
    case Transport::tls:
        return fehler(502, u"anbieterTLS"_s, u"The secure connection to the provider failed."_s, 0,
                      fehlertext);
    case Transport::zeit:
        return fehler(502, u"anbieterZeit"_s, u"The provider did not answer in time."_s, 0,
                      fehlertext);
    case Transport::andere:
        break;
    }
    return fehler(502, u"anbieterAntwort"_s, u"The provider gave no usable answer."_s, 0,
                  fehlertext);
}

std::optional<Antwort> pruefe(int status, const QByteArray& koerper, bool jsonErwartet) {
    const QString text = QString::fromUtf8(koerper.left(4 * maxText));
    if (status >= 200 && status < 300) {
        if (!jsonErwartet || beginntWieJson(koerper)) {
            return std::nullopt;
        }
        return fehler(502, u"anbieterAntwort"_s, u"The provider's answer is not JSON."_s, status,
                      text);
    }
    const int weiter = status >= 400 && status < 500 ? status : 502;
    if (status == 401 || status == 403) {
        return fehler(weiter, u"anbieterSchluessel"_s, u"The provider refused the API key."_s,
                      status, text);
    }
    if (status == 404 || (status == 400 && text.contains(u"model"_s, Qt::CaseInsensitive))) {
        return fehler(weiter, u"anbieterModell"_s, u"The provider does not offer the model."_s,
                      status, text);
    }
    return fehler(weiter, u"anbieterAntwort"_s, u"The provider answered with an error."_s, status,
                  text);
}

bool beginntWieJson(QByteArrayView koerper) {
    const QByteArrayView inhalt = koerper.trimmed();
    return inhalt.startsWith('{') || inhalt.startsWith('[');
}

} // namespace parlix::AnbieterFehler
