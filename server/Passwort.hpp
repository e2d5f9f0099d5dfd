#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>

namespace parlix {

// Password hashes with Argon2id (libsodium). The stored string carries its own salt and
// cost, so hashes made with other costs still verify. Safe on any thread; each call
// takes the configured memory for its duration.
class Passwort {
public:
    struct Kosten {
        unsigned long long durchlaeufe; // libsodium's opslimit
        std::size_t speicher;           // bytes, libsodium's memlimit
    };
    // libsodium's "interactive" cost: 2 passes over 64 MiB.
    static Kosten standard();
    // The smallest cost libsodium allows, for tests that sign in many times.
    static Kosten minimal();

    // Empty if the memory could not be had.
    static QByteArray hash(QByteArrayView passwort, Kosten kosten);
    static bool passt(const QByteArray& hash, QByteArrayView passwort);
};

} // namespace parlix
