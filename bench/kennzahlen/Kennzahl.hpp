#pragma once

#include <QString>

namespace parlix::bench {

// One figure of the running program as a user feels it.
struct Kennzahl {
    QString schluessel; // stable name, for the comparison with the previous run
    QString titel;      // what was measured, for the reader
    double wert = 0;
    QString einheit;   // "ms", "%", "MiB"
    QString anmerkung; // how, or what it is compared with
};

} // namespace parlix::bench
