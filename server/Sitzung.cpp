#include "server/Sitzung.hpp"

#include "server/DatenbankFehler.hpp"

#include <QSqlError>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// SQLite's "database disk image is malformed" and "file is not a database", and
// PostgreSQL's data_corrupted and index_corrupted.
bool beschaedigt(const QSqlError& fehler) {
    const QString code = fehler.nativeErrorCode();
    bool zahl = false;
    const int sqlite = code.toInt(&zahl) & 0xff;
    return zahl ? sqlite == 11 || sqlite == 26 : code == u"XX001"_s || code == u"XX002"_s;
}

DatenbankFehler fehlerAus(const QString& was, const QSqlError& fehler) {
    return DatenbankFehler((was + fehler.text()).toStdString(), beschaedigt(fehler));
}

} // namespace

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
        throw fehlerAus(u"SQL fehlgeschlagen: "_s, abfrage.lastError());
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
        throw fehlerAus(sql + u": "_s, abfrage.lastError());
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
