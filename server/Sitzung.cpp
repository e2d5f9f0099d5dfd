#include "server/Sitzung.hpp"

#include "server/DatenbankFehler.hpp"

#include <QSqlError>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace parlix {

Sitzung::Sitzung(const Datenbank& datenbank)
    : datenbank_(datenbank)
    , db_(datenbank.verbindung()) {}

QSqlQuery Sitzung::fuehreAus(const QString& sql, const QVariantList& werte) {
    QSqlQuery abfrage(db_);
    abfrage.setForwardOnly(true);
    // PostgreSQL prepares no schema statements; those come without values.
    bool ok = werte.isEmpty() ? abfrage.exec(sql) : abfrage.prepare(sql);
    for (const QVariant& wert : werte) {
        abfrage.addBindValue(wert);
    }
    ok = ok && (werte.isEmpty() || abfrage.exec());
    if (!ok) {
        throw DatenbankFehler(
            (u"SQL fehlgeschlagen: "_s + abfrage.lastError().text()).toStdString());
    }
    return abfrage;
}

QVariantList Sitzung::ersteZeile(const QString& sql, const QVariantList& werte) {
    QSqlQuery abfrage = fuehreAus(sql, werte);
    QVariantList zeile;
    if (abfrage.next()) {
        for (int spalte = 0; spalte < abfrage.record().count(); ++spalte) {
            zeile.append(abfrage.value(spalte));
        }
    }
    abfrage.finish();
    return zeile;
}

void Sitzung::befehl(const QString& sql) {
    QSqlQuery abfrage(db_);
    if (!abfrage.exec(sql)) {
        throw DatenbankFehler((sql + u": "_s + abfrage.lastError().text()).toStdString());
    }
}

void Sitzung::inTransaktion(const std::function<void()>& schritte) {
    befehl(datenbank_.istSqlite() ? u"BEGIN IMMEDIATE"_s : u"BEGIN"_s);
    try {
        schritte();
        befehl(u"COMMIT"_s);
    } catch (...) {
        QSqlQuery(db_).exec(u"ROLLBACK"_s);
        throw;
    }
}

} // namespace parlix
