#include "server/Schema.hpp"

#include "server/DatenbankFehler.hpp"
#include "server/Sitzung.hpp"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Times are milliseconds since the epoch. Tokens and reset codes are stored only as
// SHA-256 hashes; passwords as libsodium Argon2id strings.
const QList<QStringList> schritte = {
    // 1: accounts, sign-in tokens, reset codes
    {u"CREATE TABLE konten (email TEXT PRIMARY KEY, passwort TEXT NOT NULL, "
     "erstellt BIGINT NOT NULL)"_s,
     u"CREATE TABLE tokens (hash TEXT PRIMARY KEY, "
     "email TEXT NOT NULL REFERENCES konten(email) ON DELETE CASCADE, "
     "erstellt BIGINT NOT NULL, gueltig_bis BIGINT NOT NULL)"_s,
     u"CREATE INDEX tokens_email ON tokens (email)"_s,
     // Also for addresses without an account, so that a request costs the same either way.
     u"CREATE TABLE reset_codes (email TEXT PRIMARY KEY, code_hash TEXT NOT NULL, "
     "gueltig_bis BIGINT NOT NULL, versuche INTEGER NOT NULL)"_s},
    // 2: attempt counters of the rate limits, shared by every instance
    {u"CREATE TABLE drossel (schluessel TEXT PRIMARY KEY, beginn BIGINT NOT NULL, "
     "anzahl INTEGER NOT NULL)"_s},
};

int gespeicherteVersion(Sitzung& sitzung) {
    const QVariantList zeile = sitzung.ersteZeile(u"SELECT MAX(version) FROM schema_version"_s);
    return zeile.isEmpty() ? 0 : zeile[0].toInt();
}

} // namespace

int Schema::aktuelleVersion() {
    return static_cast<int>(schritte.size());
}

void Schema::migriere(Sitzung& sitzung, bool sqlite) {
    sitzung.inTransaktion([&] {
        if (!sqlite) {
            // Instances that start together migrate one after the other.
            sitzung.fuehreAus(u"SELECT pg_advisory_xact_lock(7304151)"_s);
        }
        sitzung.fuehreAus(
            u"CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"_s);
        const int version = gespeicherteVersion(sitzung);
        if (version > aktuelleVersion()) {
            throw DatenbankFehler(u"Die Datenbank hat Schema-Version %1, dieses Programm kennt nur "
                                  "bis %2."_s.arg(version)
                                      .arg(aktuelleVersion())
                                      .toStdString());
        }
        for (int naechste = version + 1; naechste <= aktuelleVersion(); ++naechste) {
            for (const QString& sql : schritte[naechste - 1]) {
                sitzung.fuehreAus(sql);
            }
            sitzung.fuehreAus(u"INSERT INTO schema_version (version) VALUES (?)"_s, {naechste});
        }
    });
}

} // namespace parlix
