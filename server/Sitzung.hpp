#pragma once

#include "server/Datenbank.hpp"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>

namespace parlix {

// One job's work on this thread's database connection. Every failure throws
// DatenbankFehler; a transaction that ends in an exception is rolled back.
class Sitzung {
public:
    explicit Sitzung(const Datenbank& datenbank);

    // Runs one statement with its `?` placeholders bound in order.
    QSqlQuery fuehreAus(const QString& sql, const QVariantList& werte = {});
    // The first row of a statement's result (empty if none), with the statement finished
    // so that it holds no read snapshot into a later write.
    QVariantList ersteZeile(const QString& sql, const QVariantList& werte = {});
    // `schritte` in one transaction (write-locking from its start on SQLite, so two
    // writers never deadlock on an upgrade); committed when it returns.
    void inTransaktion(const std::function<void()>& schritte);

private:
    void befehl(const QString& sql);

    const Datenbank& datenbank_;
    QSqlDatabase db_;
};

} // namespace parlix
