#pragma once

#include "bench/kennzahlen/Kennzahl.hpp"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace parlix::bench {

// The figures file: a Markdown page with one table row per figure, beside each the value
// of the previous run of the same file and the change, so that a slowdown shows.
namespace KennzahlenDatei {

// The values of the previous run, by key; empty when there is no such file.
QMap<QString, double> liesWerte(const QString& pfad);

// Writes the page; `umstaende` are lines about the run (date, machine, build).
bool schreibe(const QString& pfad, const QList<Kennzahl>& kennzahlen,
              const QMap<QString, double>& vorher, const QStringList& umstaende);

} // namespace KennzahlenDatei

} // namespace parlix::bench
