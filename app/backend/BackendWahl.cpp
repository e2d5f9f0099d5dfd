#include "app/backend/BackendWahl.hpp"

#include "core/settings/DefaultsStore.hpp"

#include <QHostAddress>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString artSchluessel = u"backendArt"_s;
const QString urlSchluessel = u"backendURL"_s;

bool istLoopback(const QString& host) {
    const QHostAddress adresse(host);
    return host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0 ||
           (!adresse.isNull() && adresse.isLoopback());
}

} // namespace

BackendWahl BackendWahl::lies(const DefaultsStore& speicher) {
    if (speicher.text(artSchluessel).value_or(QString()) != u"gehostet"_s) {
        return {};
    }
    const QString url = speicher.text(urlSchluessel).value_or(QString());
    return {Art::gehostet, url.isEmpty() ? QUrl() : pruefe(url).wurzel.value_or(QUrl())};
}

void BackendWahl::speichere(DefaultsStore& speicher) const {
    speicher.setzeText(artSchluessel, art == Art::lokal ? u"lokal"_s : u"gehostet"_s);
    if (art == Art::gehostet && !url.isEmpty()) {
        speicher.setzeText(urlSchluessel, url.toString());
    } else {
        speicher.entferne(urlSchluessel);
    }
}

BackendWahl::Pruefung BackendWahl::pruefe(const QString& eingabe) {
    const QUrl url(eingabe.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != u"http"_s && url.scheme() != u"https"_s) || url.hasQuery() ||
        url.hasFragment()) {
        return {std::nullopt, u"backend.fehler.form"_s};
    }
    if (url.scheme() == u"http"_s && !istLoopback(url.host())) {
        return {std::nullopt, u"backend.fehler.klartext"_s};
    }
    return {url, {}};
}

} // namespace parlix
