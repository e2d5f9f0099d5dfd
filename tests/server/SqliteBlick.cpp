#include "tests/server/SqliteBlick.hpp"

#include <QSqlDatabase>

namespace parlix::test {

void blickeInSqlite(const QString& datei, const std::function<void(QSqlQuery&)>& abfragen) {
    const QString name = QStringLiteral("blick");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(datei);
        db.open();
        QSqlQuery abfrage(db);
        abfragen(abfrage);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace parlix::test
