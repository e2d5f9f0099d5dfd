#pragma once

namespace parlix {

class Sitzung;

// The tables of the accounts and their versions. The missing steps are applied in order
// in one transaction with the version they reach, so a failure leaves the old version whole.
class Schema {
public:
    // The version this program writes.
    static int aktuelleVersion();
    // Brings the database to aktuelleVersion(). Throws DatenbankFehler when the
    // database is newer than this program (it is then left as it is).
    static void migriere(Sitzung& sitzung, bool sqlite);
};

} // namespace parlix
