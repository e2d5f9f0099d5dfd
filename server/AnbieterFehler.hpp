#pragma once

#include "server/Antwort.hpp"

#include <QString>
#include <optional>

// How a provider's failure reaches the client: with the provider's own status where it
// is 4xx, else 502, as JSON {"detail", "grund", "anbieterStatus", "anbieterText"} so
// that the client can tell the user what to change (the key, the model, the address).
namespace parlix::AnbieterFehler {

// Why a call got no HTTP answer at all.
enum class Transport {
    nichtErreichbar, // no such host, refused, no route
    tls,             // certificate or handshake
    zeit,            // no progress within the deadline
    andere,
};

Antwort ohneAntwort(Transport art, const QString& fehlertext);
// Nothing for a success the client can use: a 2xx answer, which starts like JSON when
// `jsonErwartet`.
std::optional<Antwort> pruefe(int status, const QByteArray& koerper, bool jsonErwartet);
// Whether the whole is valid JSON is the client's to find out (parsing megabytes here
// would hold up every other call); an answer that does not even start like it (a proxy's
// HTML page) is the provider's failure.
bool beginntWieJson(QByteArrayView koerper);

} // namespace parlix::AnbieterFehler
