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

// The multipart body with the value of its "model" field replaced (or added first).
QByteArray mitModell(const QByteArray& multipart, const QByteArray& contentType,
                     const QString& modell);
// The chat request with "model" replaced by the role's model, or by its vision model when
// a message carries an image or the client asked for "x"; image parts given as a bare
// string become the {"url": ...} object providers expect.
QByteArray mitModell(const QByteArray& chat, const Anbieter::Rolle& rolle);

} // namespace parlix::AnbieterWahl
