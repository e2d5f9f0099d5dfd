#pragma once

#include "server/KontenRegeln.hpp"

#include <QHash>
#include <QString>
#include <optional>

namespace parlix {

// Counts attempts per key in fixed windows, in memory. It keeps at most `maxSchluessel`
// keys: when full it first forgets the windows that have ended, and a new key that
// still finds no room counts as over the limit, so a flood of made-up keys cannot eat
// the memory. One thread only.
class Drossel {
public:
    Drossel(Drosselgrenze grenze, qsizetype maxSchluessel);

    // Counts one attempt at `jetztMs`; the milliseconds to wait when it is over the limit.
    std::optional<qint64> zaehle(const QString& schluessel, qint64 jetztMs);

private:
    struct Fenster {
        qint64 beginn = 0;
        int anzahl = 0;
    };

    Drosselgrenze grenze_;
    qsizetype maxSchluessel_;
    QHash<QString, Fenster> fenster_;
};

} // namespace parlix
