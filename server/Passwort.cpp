#include "server/Passwort.hpp"

#include <sodium.h>

namespace parlix {

Passwort::Kosten Passwort::standard() {
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

Passwort::Kosten Passwort::minimal() {
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

QByteArray Passwort::hash(QByteArrayView passwort, Kosten kosten) {
    char ergebnis[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(ergebnis, passwort.data(),
                              static_cast<unsigned long long>(passwort.size()), kosten.durchlaeufe,
                              kosten.speicher, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return {};
    }
    return QByteArray(ergebnis);
}

bool Passwort::passt(const QByteArray& hash, QByteArrayView passwort) {
    return crypto_pwhash_str_verify(hash.constData(), passwort.data(),
                                    static_cast<unsigned long long>(passwort.size())) == 0;
}

} // namespace parlix
