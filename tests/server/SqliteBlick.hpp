#pragma once

#include <QSqlQuery>
#include <QString>
#include <functional>

namespace parlix::test {

// Runs `abfragen` on a connection of its own to the SQLite file, beside the server's.
void blickeInSqlite(const QString& datei, const std::function<void(QSqlQuery&)>& abfragen);

} // namespace parlix::test
