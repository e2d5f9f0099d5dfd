#include "server/Anbieter.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

std::optional<Anbieter::Rolle> rolle(const QJsonObject& objekt) {
    const QUrl basis(objekt.value(u"url"_s).toString().trimmed(), QUrl::StrictMode);
    // Keys travel only to a web server; anything else is a mistake in the settings.
    if (!basis.isValid() || basis.host().isEmpty() ||
        (basis.scheme() != u"https"_s && basis.scheme() != u"http"_s)) {
        return std::nullopt;
    }
    return Anbieter::Rolle{basis, objekt.value(u"schluessel"_s).toString().trimmed().toUtf8(),
                           objekt.value(u"modell"_s).toString().trimmed(),
                           objekt.value(u"visionModell"_s).toString().trimmed()};
}

} // namespace

Anbieter Anbieter::ausJson(const QJsonObject& objekt) {
    return {rolle(objekt.value(u"transkription"_s).toObject()),
            rolle(objekt.value(u"sprache"_s).toObject())};
}

} // namespace parlix
