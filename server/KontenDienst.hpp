#pragma once

#include "server/ArbeiterGruppe.hpp"
#include "server/Behandler.hpp"
#include "server/Datenbank.hpp"
#include "server/Drossel.hpp"
#include "server/KontenRegeln.hpp"

#include <QJsonObject>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>

namespace parlix {

class DatenbankFehler;
class Sitzung;

// The accounts of the reference server: registration, sign-in with bearer tokens,
// sign-out and password reset by a six-digit code, kept in a database (Datenbank).
// Everything that hashes a password or writes runs on worker threads and answers
// through `antworte` from there; token checks are quick reads on the calling thread.
// Sign-in and the reset request answer alike, and take alike long, whether or not an
// account exists (the reset code is stored and sent after the answer). Safe to call
// from any thread.
class KontenDienst {
public:
    // How a reset code reaches its owner; the reference server has no mail and prints it.
    // Called on a worker thread.
    using CodeVersand = std::function<void(const QString& email, const QString& code)>;
    using Antworter = Behandler::Antworter;

    // Opens (and migrates) the database; throws DatenbankFehler.
    KontenDienst(const Datenbank::Ziel& ziel, CodeVersand versand, KontenRegeln regeln = {});
    ~KontenDienst();

    // `kunde`: the client's network address, for the rate limits.
    void registriere(const QJsonObject& koerper, const QString& kunde, Antworter antworte);
    void login(const QJsonObject& koerper, const QString& kunde, Antworter antworte);
    void resetAnfordern(const QJsonObject& koerper, const QString& kunde, Antworter antworte);
    void resetBestaetigen(const QJsonObject& koerper, const QString& kunde, Antworter antworte);
    // Revokes the token of `authorization` ("Bearer <token>").
    void abmelden(const QByteArray& authorization, Antworter antworte);
    Antwort profil(const QByteArray& authorization);
    // The account of a valid bearer token; empty if there is none (or the database fails).
    QString emailZu(const QByteArray& authorization);

    // Whether other instances may share the database (PostgreSQL).
    bool geteilt() const { return !datenbank_.istSqlite(); }
    // Counts one attempt for each key in the database, on the calling thread; the
    // milliseconds to wait when one of them is over its limit. Throws DatenbankFehler.
    std::optional<qint64> zaehleGeteilt(const QList<std::pair<QString, Drosselgrenze>>& zaehler);

    // Removes expired tokens, codes and counters (also every thousandth job).
    void raeumeAuf();

private:
    // The attempts of one client address counted in memory, before anything is queued
    // or written: a client over its limit is answered 429 at once (the database's
    // counters, shared by every instance, still decide for those that pass).
    bool vorabGedrosselt(const QString& art, const QString& kunde, const Antworter& antworte);
    // Runs `auftrag` on a worker; a database failure answers 503, a full queue too.
    void imHintergrund(Antworter antworte, std::function<Antwort(Sitzung&)> auftrag);
    // The answer for an exceeded limit, or nothing; counts the attempt.
    std::optional<Antwort> gedrosselt(Sitzung& sitzung,
                                      const QList<std::pair<QString, Drosselgrenze>>& zaehler);
    // The limits of a sign-in: per client address, per client address and account, and
    // per account; counts the attempt.
    std::optional<Antwort> anmeldungGedrosselt(Sitzung& s, const QString& email,
                                               const QString& kunde);
    // Logs a database failure and gives the answer for it.
    Antwort ausfall(const DatenbankFehler& fehler) const;
    std::optional<Antwort> ungueltigesPasswort(const QString& passwort) const;
    QString neuerToken(Sitzung& sitzung, const QString& email);
    // Stores a new code for the account of `email`, if there is one, and sends it.
    void sendeCode(const QString& email);
    qint64 jetzt() const;

    std::atomic<unsigned> auftraege_{0}; // every thousandth job also cleans up
    KontenRegeln regeln_;
    CodeVersand versand_;
    Datenbank datenbank_;
    QByteArray attrappe_; // a hash that sign-ins of unknown addresses check against
    std::mutex vorabSperre_;
    std::map<QString, Drossel> vorab_; // per kind of request
    ArbeiterGruppe arbeiter_;
};

} // namespace parlix
