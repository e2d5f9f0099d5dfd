#include "server/Datenbank.hpp"

#include "server/DatenbankFehler.hpp"
#include "server/Schema.hpp"
#include "server/Sitzung.hpp"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr QFileDevice::Permissions nurEigner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Password hashes and tokens are for this server's eyes only: a new file is created
// readable by its owner alone, and SQLite gives the -wal and -shm beside it the same
// permissions. Files of an older version are brought to that too.
void schuetze(const QString& datei) {
    QFile neu(datei);
    if (!neu.exists()) {
        neu.open(QIODevice::WriteOnly | QIODevice::NewOnly, nurEigner);
    }
    for (const QString& endung : {QString(), u"-wal"_s, u"-shm"_s}) {
        if (QFile::exists(datei + endung)) {
            QFile::setPermissions(datei + endung, nurEigner);
        }
    }
}

} // namespace

Datenbank::Ziel Datenbank::ausAngabe(const QString& angabe) {
    const QUrl url(angabe);
    if (url.scheme() != u"postgresql"_s && url.scheme() != u"postgres"_s) {
        Ziel ziel;
        ziel.treiber = u"QSQLITE"_s;
        ziel.name = angabe;
        return ziel;
    }
    Ziel ziel{.treiber = u"QPSQL"_s,
              .name = url.path().mid(1),
              .host = url.host(),
              .port = url.port(),
              .nutzer = url.userName(),
              .passwort = url.password()};
    const QUrlQuery query(url);
    if (query.hasQueryItem(u"host"_s)) {
        ziel.host = query.queryItemValue(u"host"_s, QUrl::FullyDecoded);
    }
    return ziel;
}

Datenbank::Datenbank(Ziel ziel)
    : ziel_(std::move(ziel))
    , praefix_(u"parlix-%1-"_s.arg(reinterpret_cast<quintptr>(this), 0, 16)) {
    if (istSqlite() && !ziel_.name.startsWith(u':')) {
        schuetze(ziel_.name);
    }
    Sitzung sitzung(*this);
    Schema::migriere(sitzung, istSqlite());
}

Datenbank::~Datenbank() {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith(praefix_)) {
            QSqlDatabase::removeDatabase(name);
        }
    }
}

QString Datenbank::verbindungsName() const {
    return praefix_ + QString::number(reinterpret_cast<quintptr>(QThread::currentThread()), 16);
}

QSqlDatabase Datenbank::verbindung() const {
    const QString name = verbindungsName();
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid() && db.isOpen()) {
            return db;
        }
        // A thread that ended left it behind, and a new one got the same address.
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(ziel_.treiber, name);
    db.setDatabaseName(ziel_.name);
    if (!istSqlite()) {
        db.setHostName(ziel_.host);
        db.setPort(ziel_.port);
        db.setUserName(ziel_.nutzer);
        db.setPassword(ziel_.passwort);
        db.setConnectOptions(u"connect_timeout=5"_s);
    }
    if (!db.open()) {
        const QString fehler = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DatenbankFehler((u"Datenbank lässt sich nicht öffnen: "_s + fehler).toStdString());
    }
    richteEin(db);
    return db;
}

void Datenbank::richteEin(QSqlDatabase& db) const {
    if (!istSqlite()) {
        return;
    }
    // WAL: readers never wait for the writer; FULL: a commit is on the disk before the
    // answer goes out, so an acknowledged change survives a crash or a power cut.
    QSqlQuery abfrage(db);
    for (const QString& pragma : {u"PRAGMA busy_timeout = 10000"_s, u"PRAGMA journal_mode = WAL"_s,
                                  u"PRAGMA synchronous = FULL"_s, u"PRAGMA foreign_keys = ON"_s}) {
        if (!abfrage.exec(pragma)) {
            throw DatenbankFehler(
                (u"Datenbank unbrauchbar: "_s + abfrage.lastError().text()).toStdString());
        }
    }
}

void Datenbank::schliesseFaden() const {
    const QString name = verbindungsName();
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

} // namespace parlix
