// Any status and body a server may send to the account calls: never a crash, only
// AuthFehler, and success only where the status allows it.
#include "core/account/AuthClient.hpp"
#include "core/account/AuthFehler.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::AuthClient;
using parlix::AuthFehler;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 2) {
        return 0;
    }
    const int status = 100 + (daten[0] << 8 | daten[1]) % 500;
    const QByteArray koerper(reinterpret_cast<const char*>(daten + 2),
                             static_cast<qsizetype>(groesse - 2));
    const bool erfolg = status >= 200 && status <= 299;
    try {
        const QJsonObject objekt = AuthClient::postErgebnis(status, koerper);
        if (!erfolg) {
            std::abort();
        }
        try {
            AuthClient::tokenAus(objekt);
        } catch (const AuthFehler& fehler) {
            if (fehler.text() != QStringLiteral("kein Token")) {
                std::abort();
            }
        }
    } catch (const AuthFehler& fehler) {
        if (erfolg || fehler.fall() != AuthFehler::Fall::ungueltig || fehler.text().isEmpty()) {
            std::abort();
        }
    }
    try {
        AuthClient::profilAus(status, koerper);
        if (status != 200) {
            std::abort();
        }
    } catch (const AuthFehler& fehler) {
        if (fehler.text() != QStringLiteral("Profil")) {
            std::abort();
        }
    }
    return 0;
}
