#pragma once

#include "server/Anbieter.hpp"
#include "server/Anfrage.hpp"
#include "server/Antwort.hpp"
#include "server/Relais.hpp"

#include <variant>

// Which provider answers a relay call, and the request as that provider gets it.
namespace parlix::AnbieterWahl {

struct Ziel {
    QUrl url;              // the provider's endpoint for the call
    QByteArray schluessel; // empty: no Authorization header
    QByteArray koerper;    // the body, with the provider's model
};

// `unterpfad`: "audio/transcriptions" or "chat/completions". An upstream from the
// environment that "X-Backend" names comes first and gets the request unchanged; else
// the role the path belongs to, with its model; else the 503 "keinAnbieter" answer.
std::variant<Ziel, Antwort> waehle(const QHash<QString, Relais::Upstream>& umgebung,
                                   const Anbieter& anbieter, const Anfrage& anfrage,
                                   const QString& unterpfad);

} // namespace parlix::AnbieterWahl
