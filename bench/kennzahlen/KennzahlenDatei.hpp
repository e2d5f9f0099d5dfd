#pragma once

#include "bench/kennzahlen/Kennzahl.hpp"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace parlix::bench {

// The figures file: a Markdown page with one table row per figure, beside each the value
// of the previous run of the same file and the change, so that a slowdown shows. The
// program owns only the block between two marker comments; the sections people write
// around it stay as they are.
namespace KennzahlenDatei {

// The values of the previous run, by key, read from the program's block only; empty when
// there is no such file.
QMap<QString, double> liesWerte(const QString& pfad);

// `alt` with its block replaced by `block` (or `block` put on top when `alt` has none);
// nothing when the markers are broken (one missing, twice, or in the wrong order).
std::optional<QString> setzeBlockEin(const QString& alt, const QString& block);

// Writes the page's block; `umstaende` are lines about the run (date, machine, build).
// False, and the file untouched, when it cannot be read or written or its markers are
// broken.
bool schreibe(const QString& pfad, const QList<Kennzahl>& kennzahlen,
              const QMap<QString, double>& vorher, const QStringList& umstaende);

} // namespace KennzahlenDatei

} // namespace parlix::bench
