#include "server/KontenDienst.hpp"

#include "server/DatenbankFehler.hpp"
#include "server/Sitzung.hpp"

#include <QCryptographicHash>
#include <QDateTime>
#include <QSqlQuery>
#include <algorithm>
#include <sodium.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString feld(const QJsonObject& koerper, const QString& name) {
    return koerper.value(name).toString();
}

QString adresseAus(const QJsonObject& koerper) {
    return feld(koerper, u"email"_s).trimmed().toLower();
}

QByteArray zufall(int bytes) {
    QByteArray daten(bytes, '\0');
    randombytes_buf(daten.data(), static_cast<std::size_t>(daten.size()));
    return daten;
}

QString sha256(const QByteArray& daten) {
    return QString::fromLatin1(QCryptographicHash::hash(daten, QCryptographicHash::Sha256).toHex());
}

// The stored form of a bearer token; empty when the header holds none.
QString tokenHash(const QByteArray& authorization) {
    const QByteArray token =
        authorization.startsWith("Bearer ") ? authorization.mid(7).trimmed() : QByteArray();
    return token.isEmpty() || token.size() > 256 ? QString() : sha256(token);
}

QString codeHash(const QString& email, const QString& code) {
    return sha256(email.toUtf8() + ':' + code.toUtf8());
}

bool gleich(const QString& a, const QString& b) {
    const QByteArray x = a.toLatin1();
    const QByteArray y = b.toLatin1();
    return x.size() == y.size() &&
           sodium_memcmp(x.constData(), y.constData(), static_cast<std::size_t>(x.size())) == 0;
}

// The account of an unexpired token, or an empty text.
QString kontoZu(Sitzung& s, const QString& hash, qint64 jetzt) {
    const QVariantList konto = s.ersteZeile(
        u"SELECT email FROM tokens WHERE hash = ? AND gueltig_bis > ?"_s, {hash, jetzt});
    return konto.isEmpty() ? QString() : konto[0].toString();
}

Antwort falscheAnmeldung() {
    return Antwort::fehler(401, u"E-Mail oder Passwort ist falsch."_s);
}

Antwort ungueltigerCode() {
    return Antwort::fehler(400, u"Der Code ist ungültig oder abgelaufen."_s);
}

Antwort ausgelastet() {
    return Antwort::fehler(503,
                           u"Der Server ist ausgelastet. Bitte gleich noch einmal versuchen."_s);
}

// An attempt counter after counting one more: its count in the current window and the
// milliseconds left of that window.
struct Zaehlstand {
    int anzahl;
    qint64 restMs;
};

Zaehlstand zaehle(Sitzung& s, const QString& schluessel, const Drosselgrenze& grenze, qint64 nun) {
    const qint64 abgelaufen = nun - grenze.fensterMs;
    const QVariantList stand =
        s.ersteZeile(u"INSERT INTO drossel (schluessel, beginn, anzahl) VALUES (?, ?, 1) "
                     "ON CONFLICT (schluessel) DO UPDATE SET "
                     "anzahl = CASE WHEN drossel.beginn <= ? THEN 1 ELSE drossel.anzahl + 1 END, "
                     "beginn = CASE WHEN drossel.beginn <= ? THEN excluded.beginn "
                     "ELSE drossel.beginn END RETURNING anzahl, beginn"_s,
                     {schluessel, nun, abgelaufen, abgelaufen});
    if (stand.isEmpty()) {
        return {0, 0};
    }
    return {stand[0].toInt(), stand[1].toLongLong() + grenze.fensterMs - nun};
}

// Takes back one counted attempt of each key.
void nimmZurueck(Sitzung& s, const QStringList& schluessel) {
    for (const QString& einer : schluessel) {
        s.fuehreAus(u"UPDATE drossel SET anzahl = anzahl - 1 WHERE schluessel = ? AND anzahl > 0"_s,
                    {einer});
    }
}

Antwort zuVieleVersuche(qint64 wartenMs) {
    const qint64 minuten = (wartenMs + KontenRegeln::minute - 1) / KontenRegeln::minute;
    Antwort antwort = Antwort::fehler(
        429, u"Zu viele Versuche. Bitte in %1 Minuten erneut versuchen."_s.arg(minuten));
    antwort.kopfzeilen.append({"Retry-After", QByteArray::number((wartenMs + 999) / 1000)});
    return antwort;
}

// Client addresses each gate in memory remembers at most (some 100 bytes each).
constexpr qsizetype maxVorabSchluessel = 100000;

QByteArray attrappe(const Passwort::Kosten& kosten) {
    if (sodium_init() < 0) {
        throw DatenbankFehler("libsodium lässt sich nicht einrichten");
    }
    return Passwort::hash(zufall(16).toHex(), kosten);
}

} // namespace

KontenDienst::KontenDienst(const Datenbank::Ziel& ziel, CodeVersand versand, KontenRegeln regeln)
    : regeln_(std::move(regeln))
    , versand_(std::move(versand))
    , datenbank_(ziel)
    , attrappe_(attrappe(regeln_.passwortKosten))
    , vorab_({{u"registrieren"_s, Drossel(regeln_.registrierenKunde, maxVorabSchluessel)},
              {u"login"_s, Drossel(regeln_.loginKunde, maxVorabSchluessel)},
              {u"reset"_s, Drossel(regeln_.resetKunde, maxVorabSchluessel)},
              {u"bestaetigen"_s, Drossel(regeln_.bestaetigenKunde, maxVorabSchluessel)}})
    , arbeiter_(regeln_.arbeiter, regeln_.maxWartend, [this] { datenbank_.schliesseFaden(); }) {
    raeumeAuf();
}

KontenDienst::~KontenDienst() = default;

bool KontenDienst::vorabGedrosselt(const QString& art, const QString& kunde,
                                   const Antworter& antworte) {
    std::optional<qint64> warten;
    {
        std::lock_guard lock(vorabSperre_);
        warten = vorab_.at(art).zaehle(kunde, jetzt());
    }
    if (warten) {
        antworte(zuVieleVersuche(*warten));
    }
    return warten.has_value();
}

qint64 KontenDienst::jetzt() const {
    return regeln_.uhr ? regeln_.uhr() : QDateTime::currentMSecsSinceEpoch();
}

void KontenDienst::imHintergrund(Antworter antworte, std::function<Antwort(Sitzung&)> auftrag) {
    if (auftraege_.fetch_add(1) % 1000 == 999) {
        raeumeAuf();
    }
    const bool angenommen = arbeiter_.reiheEin([this, antworte, auftrag] {
        try {
            Sitzung sitzung(datenbank_);
            antworte(auftrag(sitzung));
        } catch (const DatenbankFehler& fehler) {
            antworte(ausfall(fehler));
        }
    });
    if (!angenommen) {
        antworte(ausgelastet());
    }
}

Antwort KontenDienst::ausfall(const DatenbankFehler& fehler) const {
    datenbank_.schliesseFaden(); // the next job connects afresh
    if (fehler.beschaedigt()) {
        qWarning("FEHLER: Kontodatenbank beschädigt: %s", fehler.what());
        return Antwort::fehler(503, u"Die Kontodatenbank ist beschädigt und muss aus einer "
                                    "Sicherung wiederhergestellt werden. Es wurde nichts "
                                    "geändert."_s);
    }
    qWarning("FEHLER: Kontodatenbank: %s", fehler.what());
    return Antwort::fehler(
        503, u"Die Kontodatenbank ist gerade nicht erreichbar. Es wurde nichts geändert."_s);
}

std::optional<Antwort>
KontenDienst::gedrosselt(Sitzung& sitzung,
                         const QList<std::pair<QString, Drosselgrenze>>& zaehler) {
    const qint64 nun = jetzt();
    qint64 wartenMs = 0;
    sitzung.inTransaktion([&] {
        for (const auto& [schluessel, grenze] : zaehler) {
            const Zaehlstand stand = zaehle(sitzung, schluessel, grenze, nun);
            if (stand.anzahl > grenze.anzahl) {
                wartenMs = std::max(wartenMs, stand.restMs);
            }
        }
    });
    if (wartenMs <= 0) {
        return std::nullopt;
    }
    return zuVieleVersuche(wartenMs);
}

std::optional<qint64>
KontenDienst::zaehleGeteilt(const QList<std::pair<QString, Drosselgrenze>>& zaehler) {
    const qint64 nun = jetzt();
    qint64 wartenMs = 0;
    Sitzung s(datenbank_);
    s.inTransaktion([&] {
        // A counter lost in a crash costs nothing: the commit need not wait for the disk.
        s.fuehreAus(u"SET LOCAL synchronous_commit TO OFF"_s);
        for (const auto& [schluessel, grenze] : zaehler) {
            const Zaehlstand stand = zaehle(s, schluessel, grenze, nun);
            if (stand.anzahl > grenze.anzahl) {
                wartenMs = std::max(wartenMs, stand.restMs);
            }
        }
    });
    return wartenMs > 0 ? std::optional(wartenMs) : std::nullopt;
}

std::optional<Antwort> KontenDienst::anmeldungGedrosselt(Sitzung& s, const QString& email,
                                                         const QString& kunde) {
    const qint64 nun = jetzt();
    std::optional<Antwort> antwort;
    s.inTransaktion([&] {
        bool versuchtVonHier = false;
        for (const auto& [schluessel, grenze] :
             {std::pair{u"login:k:"_s + kunde, regeln_.loginKunde},
              std::pair{u"login:ka:"_s + kunde + u':' + email, regeln_.loginKundeAdresse}}) {
            const Zaehlstand stand = zaehle(s, schluessel, grenze, nun);
            if (stand.anzahl > grenze.anzahl) {
                antwort = zuVieleVersuche(stand.restMs);
                return;
            }
            versuchtVonHier = stand.anzahl > 1;
        }
        // Past the limit per account, only a client address that has not failed on this
        // account may try (the owner, most likely), until a ceiling for all of them.
        const Zaehlstand konto = zaehle(s, u"login:a:"_s + email, regeln_.loginAdresse, nun);
        if ((konto.anzahl > regeln_.loginAdresse.anzahl && versuchtVonHier) ||
            konto.anzahl > regeln_.loginAdresseAlle) {
            nimmZurueck(s, {u"login:a:"_s + email});
            antwort = zuVieleVersuche(konto.restMs);
        }
    });
    return antwort;
}

std::optional<Antwort> KontenDienst::ungueltigesPasswort(const QString& passwort) const {
    if (passwort.size() < regeln_.minPasswortZeichen ||
        passwort.toUtf8().size() > regeln_.maxPasswortBytes) {
        return Antwort::fehler(400,
                               u"Das Passwort braucht mindestens %1 und höchstens %2 Zeichen."_s
                                   .arg(regeln_.minPasswortZeichen)
                                   .arg(regeln_.maxPasswortBytes));
    }
    return std::nullopt;
}

void KontenDienst::registriere(const QJsonObject& koerper, const QString& kunde,
                               Antworter antworte) {
    const QString email = adresseAus(koerper);
    const QString passwort = feld(koerper, u"passwort"_s);
    if (!email.contains(u'@') || email.toUtf8().size() > regeln_.maxEmailBytes) {
        antworte(Antwort::fehler(400, u"Bitte eine gültige E-Mail-Adresse angeben."_s));
        return;
    }
    if (auto fehler = ungueltigesPasswort(passwort)) {
        antworte(*fehler);
        return;
    }
    if (vorabGedrosselt(u"registrieren"_s, kunde, antworte)) {
        return;
    }
    imHintergrund(std::move(antworte), [this, email, passwort, kunde](Sitzung& s) -> Antwort {
        if (auto zuviel =
                gedrosselt(s, {{u"registrieren:k:"_s + kunde, regeln_.registrierenKunde}})) {
            return *zuviel;
        }
        const QByteArray hash = Passwort::hash(passwort.toUtf8(), regeln_.passwortKosten);
        if (hash.isEmpty()) {
            return ausgelastet();
        }
        bool neu = false;
        s.inTransaktion([&] {
            neu = s.fuehreAus(u"INSERT INTO konten (email, passwort, erstellt) VALUES (?, ?, ?) "
                              "ON CONFLICT (email) DO NOTHING"_s,
                              {email, QString::fromLatin1(hash), jetzt()})
                      .numRowsAffected() == 1;
        });
        if (!neu) {
            return Antwort::fehler(409, u"Für diese E-Mail-Adresse gibt es schon ein Konto."_s);
        }
        return Antwort::json(201, {{u"email"_s, email}});
    });
}

void KontenDienst::login(const QJsonObject& koerper, const QString& kunde, Antworter antworte) {
    if (vorabGedrosselt(u"login"_s, kunde, antworte)) {
        return;
    }
    const QString email = adresseAus(koerper);
    const QByteArray passwort = feld(koerper, u"passwort"_s).toUtf8();
    imHintergrund(std::move(antworte), [this, email, passwort, kunde](Sitzung& s) -> Antwort {
        if (auto zuviel = anmeldungGedrosselt(s, email, kunde)) {
            return *zuviel;
        }
        if (passwort.size() > regeln_.maxPasswortBytes) {
            return falscheAnmeldung();
        }
        const QVariantList konto =
            s.ersteZeile(u"SELECT passwort FROM konten WHERE email = ?"_s, {email});
        const bool bekannt = !konto.isEmpty();
        // An unknown address costs the same hash, so the time tells nothing.
        const QByteArray hash = bekannt ? konto[0].toString().toLatin1() : attrappe_;
        if (!Passwort::passt(hash, passwort) || !bekannt) {
            return falscheAnmeldung();
        }
        // Only failed attempts hold an address or an account back.
        s.inTransaktion([&] {
            nimmZurueck(s, {u"login:ka:"_s + kunde + u':' + email, u"login:a:"_s + email});
        });
        return Antwort::json(200, {{u"token"_s, neuerToken(s, email)}});
    });
}

QString KontenDienst::neuerToken(Sitzung& s, const QString& email) {
    const QByteArray token = zufall(32).toHex();
    const qint64 nun = jetzt();
    s.inTransaktion([&] {
        s.fuehreAus(u"DELETE FROM tokens WHERE email = ? AND gueltig_bis <= ?"_s, {email, nun});
        s.fuehreAus(
            u"INSERT INTO tokens (hash, email, erstellt, gueltig_bis) VALUES (?, ?, ?, ?)"_s,
            {sha256(token), email, nun, nun + regeln_.tokenDauerMs});
        s.fuehreAus(u"DELETE FROM tokens WHERE email = ? AND hash NOT IN (SELECT hash FROM "
                    "tokens WHERE email = ? ORDER BY erstellt DESC, hash LIMIT ?)"_s,
                    {email, email, regeln_.maxTokensProKonto});
    });
    return QString::fromLatin1(token);
}

void KontenDienst::resetAnfordern(const QJsonObject& koerper, const QString& kunde,
                                  Antworter antworte) {
    if (vorabGedrosselt(u"reset"_s, kunde, antworte)) {
        return;
    }
    const QString email = adresseAus(koerper);
    imHintergrund(std::move(antworte), [this, email, kunde](Sitzung& s) -> Antwort {
        if (auto zuviel = gedrosselt(s, {{u"reset:a:"_s + email, regeln_.resetAdresse},
                                         {u"reset:k:"_s + kunde, regeln_.resetKunde}})) {
            return *zuviel;
        }
        // The answer does not wait for the code: its time says nothing about the account.
        if (!arbeiter_.reiheEin([this, email] { sendeCode(email); })) {
            return ausgelastet();
        }
        return Antwort::json(200, {});
    });
}

void KontenDienst::sendeCode(const QString& email) {
    const QString code = u"%1"_s.arg(randombytes_uniform(1000000), 6, 10, QLatin1Char('0'));
    try {
        Sitzung s(datenbank_);
        bool konto = false;
        // The same writes for unknown addresses (their code is never sent), so the work
        // behind the answer does not differ either.
        s.inTransaktion([&] {
            s.fuehreAus(u"INSERT INTO reset_codes (email, code_hash, gueltig_bis, versuche) "
                        "VALUES (?, ?, ?, 0) ON CONFLICT (email) DO UPDATE SET "
                        "code_hash = excluded.code_hash, gueltig_bis = excluded.gueltig_bis, "
                        "versuche = 0"_s,
                        {email, codeHash(email, code), jetzt() + regeln_.codeDauerMs});
            konto = !s.ersteZeile(u"SELECT 1 FROM konten WHERE email = ?"_s, {email}).isEmpty();
        });
        if (konto) {
            versand_(email, code);
        }
    } catch (const DatenbankFehler& fehler) {
        qWarning("FEHLER: Reset-Code nicht gespeichert: %s", fehler.what());
        datenbank_.schliesseFaden();
    }
}

void KontenDienst::resetBestaetigen(const QJsonObject& koerper, const QString& kunde,
                                    Antworter antworte) {
    const QString email = adresseAus(koerper);
    const QString code = feld(koerper, u"code"_s);
    const QString passwort = feld(koerper, u"passwort"_s);
    if (auto fehler = ungueltigesPasswort(passwort)) {
        antworte(*fehler);
        return;
    }
    if (vorabGedrosselt(u"bestaetigen"_s, kunde, antworte)) {
        return;
    }
    imHintergrund(std::move(antworte), [this, email, code, passwort, kunde](Sitzung& s) -> Antwort {
        if (auto zuviel =
                gedrosselt(s, {{u"bestaetigen:a:"_s + email, regeln_.bestaetigenAdresse},
                               {u"bestaetigen:k:"_s + kunde, regeln_.bestaetigenKunde}})) {
            return *zuviel;
        }
        // Every try is counted before the code is compared; the last allowed one burns it.
        int versuche = 0;
        QString gespeichert;
        s.inTransaktion([&] {
            const QVariantList stand =
                s.ersteZeile(u"UPDATE reset_codes SET versuche = versuche + 1 WHERE email = ? AND "
                             "gueltig_bis > ? RETURNING versuche, code_hash"_s,
                             {email, jetzt()});
            if (!stand.isEmpty()) {
                versuche = stand[0].toInt();
                gespeichert = stand[1].toString();
            }
        });
        const bool richtig = versuche > 0 && versuche <= regeln_.maxCodeVersuche &&
                             gleich(gespeichert, codeHash(email, code));
        if (!richtig) {
            if (versuche >= regeln_.maxCodeVersuche) {
                s.inTransaktion(
                    [&] { s.fuehreAus(u"DELETE FROM reset_codes WHERE email = ?"_s, {email}); });
            }
            return ungueltigerCode();
        }
        const QByteArray hash = Passwort::hash(passwort.toUtf8(), regeln_.passwortKosten);
        if (hash.isEmpty()) {
            return ausgelastet();
        }
        bool eingeloest = false;
        s.inTransaktion([&] {
            // Used once: a second confirmation with the same code finds nothing.
            eingeloest = s.fuehreAus(u"DELETE FROM reset_codes WHERE email = ? AND code_hash = ?"_s,
                                     {email, gespeichert})
                             .numRowsAffected() == 1;
            eingeloest =
                eingeloest && s.fuehreAus(u"UPDATE konten SET passwort = ? WHERE email = ?"_s,
                                          {QString::fromLatin1(hash), email})
                                      .numRowsAffected() == 1;
            if (eingeloest) {
                // A new password signs every device out.
                s.fuehreAus(u"DELETE FROM tokens WHERE email = ?"_s, {email});
            }
        });
        return eingeloest ? Antwort::json(200, {}) : ungueltigerCode();
    });
}

void KontenDienst::abmelden(const QByteArray& authorization, Antworter antworte) {
    const QString hash = tokenHash(authorization);
    imHintergrund(std::move(antworte), [hash](Sitzung& s) -> Antwort {
        bool widerrufen = false;
        s.inTransaktion([&] {
            widerrufen =
                s.fuehreAus(u"DELETE FROM tokens WHERE hash = ?"_s, {hash}).numRowsAffected() == 1;
        });
        return widerrufen ? Antwort::json(200, {}) : Antwort::fehler(401, u"Nicht angemeldet."_s);
    });
}

Antwort KontenDienst::profil(const QByteArray& authorization) {
    try {
        Sitzung s(datenbank_);
        const QString email = kontoZu(s, tokenHash(authorization), jetzt());
        return email.isEmpty() ? Antwort::fehler(401, u"Nicht angemeldet."_s)
                               : Antwort::json(200, {{u"email"_s, email}});
    } catch (const DatenbankFehler& fehler) {
        return ausfall(fehler);
    }
}

QString KontenDienst::emailZu(const QByteArray& authorization) {
    const QString hash = tokenHash(authorization);
    if (hash.isEmpty()) {
        return {};
    }
    try {
        Sitzung s(datenbank_);
        return kontoZu(s, hash, jetzt());
    } catch (const DatenbankFehler& fehler) {
        ausfall(fehler);
        return {};
    }
}

void KontenDienst::raeumeAuf() {
    imHintergrund([](const Antwort&) {},
                  [this](Sitzung& s) {
                      const qint64 nun = jetzt();
                      s.inTransaktion([&] {
                          s.fuehreAus(u"DELETE FROM tokens WHERE gueltig_bis <= ?"_s, {nun});
                          s.fuehreAus(u"DELETE FROM reset_codes WHERE gueltig_bis <= ?"_s, {nun});
                          s.fuehreAus(u"DELETE FROM drossel WHERE beginn <= ?"_s,
                                      {nun - regeln_.laengstesFenster()});
                      });
                      return Antwort::json(200, {});
                  });
}

} // namespace parlix
