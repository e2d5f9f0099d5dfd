#pragma once

#include "server/Passwort.hpp"

#include <QtGlobal>
#include <algorithm>
#include <functional>

namespace parlix {

// At most `anzahl` attempts per key within `fensterMs`.
struct Drosselgrenze {
    int anzahl;
    qint64 fensterMs;
};

// The figures of the account rules. The defaults are what the server runs with.
struct KontenRegeln {
    static constexpr qint64 minute = 60 * 1000;

    Passwort::Kosten passwortKosten = Passwort::standard();
    int minPasswortZeichen = 8;
    int maxPasswortBytes = 1024; // UTF-8; longer ones are refused before any hashing
    int maxEmailBytes = 254;
    qint64 tokenDauerMs = 90 * 24 * 60 * minute;
    int maxTokensProKonto = 10; // the oldest goes when a sign-in would exceed it
    qint64 codeDauerMs = 15 * minute;
    int maxCodeVersuche = 5; // wrong codes after which the code is burned

    // Per e-mail address ("adresse") and per client address ("kunde").
    // Sign-in: failed attempts per account and client address, then per account. Past
    // `loginAdresse`, an address that has not failed on the account still gets its
    // tries (so a guesser cannot lock the owner out) until `loginAdresseAlle` failures.
    Drosselgrenze loginKundeAdresse{10, 15 * minute};
    Drosselgrenze loginAdresse{10, 15 * minute};
    int loginAdresseAlle = 100;
    Drosselgrenze loginKunde{50, 15 * minute};
    Drosselgrenze resetAdresse{3, 60 * minute};
    Drosselgrenze resetKunde{20, 60 * minute};
    Drosselgrenze bestaetigenAdresse{10, 60 * minute};
    Drosselgrenze bestaetigenKunde{50, 60 * minute};
    Drosselgrenze registrierenKunde{20, 60 * minute};

    int arbeiter = 2;     // threads for hashes and commits
    int maxWartend = 256; // account jobs waiting; more are refused with 503

    // The longest window of the limits: older attempt counters are of no use.
    qint64 laengstesFenster() const {
        return std::max({loginKundeAdresse.fensterMs, loginAdresse.fensterMs, loginKunde.fensterMs,
                         resetAdresse.fensterMs, resetKunde.fensterMs, bestaetigenAdresse.fensterMs,
                         bestaetigenKunde.fensterMs, registrierenKunde.fensterMs});
    }

    // Milliseconds since the epoch; replaceable in tests.
    std::function<qint64()> uhr;
};

} // namespace parlix
