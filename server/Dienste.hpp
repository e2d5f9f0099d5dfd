#pragma once

#include "server/Behandler.hpp"
#include "server/Drossel.hpp"
#include "server/KontenDienst.hpp"
#include "server/Relais.hpp"

namespace parlix {

// The reference backend's own behaviour: accounts, the relay to the upstream
// providers, the live transcription stream, the version document and the update
// archive. The relay and the stream serve a valid token, or a device id within the free
// allowance per device and per client address. As one user's local backend it serves
// only requests that carry that user's secret, and those without a token or limit.
// Used on the server's thread.
class Dienste final : public Behandler {
public:
    struct Einrichtung {
        Datenbank::Ziel datenbank;
        KontenDienst::CodeVersand codeVersand;
        QHash<QString, Relais::Upstream> upstreams;
        QString version; // served by "version"
        QString archiv;  // served by "download/parlix.zip"; may be empty
        KontenRegeln konten{};
        Relais::Grenzen relais{};
        // Calls without a token per device id and per client address; 0 calls: a token
        // is required.
        Drosselgrenze freiProGeraet{120, 60 * KontenRegeln::minute};
        Drosselgrenze freiProKunde{600, 60 * KontenRegeln::minute};
        Anbieter anbieter{};
        // Non-empty: every request must carry it in "X-Parlix-Lokal".
        QByteArray lokalGeheimnis{};
    };

    // Throws DatenbankFehler when the accounts database cannot be used.
    explicit Dienste(Einrichtung einrichtung);

    void behandle(const Anfrage& anfrage, Antworter antworte) override;
    std::optional<Antwort> verweigereStream(const Anfrage& handshake) override;
    void neuerStream(const Anfrage& handshake, QWebSocket& socket) override;

    // The user's providers changed: the next call goes to the new ones.
    void setzeAnbieter(Anbieter anbieter) { relais_.setzeAnbieter(std::move(anbieter)); }

private:
    void konto(const Anfrage& anfrage, Antworter antworte);
    Antwort archiv() const;
    // Why a relay call or stream is refused, or nothing when it may go ahead.
    std::optional<Antwort> verweigereWeiterleitung(const Anfrage& anfrage);
    // The 401 for a request without the local secret, or nothing.
    std::optional<Antwort> verweigereFremde(const Anfrage& anfrage) const;
    // Counts a call without a token; the milliseconds to wait when over the allowance.
    // In a shared database, so that instances side by side grant it once.
    std::optional<qint64> zaehleFrei(const QString& geraet, const QString& kunde);

    KontenDienst konten_;
    Relais relais_;
    QString version_;
    QString archiv_;
    QByteArray lokalGeheimnis_;
    bool frei_;
    Drosselgrenze freiProGeraet_;
    Drosselgrenze freiProKunde_;
    Drossel geraete_; // when no other instance shares the database
    Drossel kunden_;
};

} // namespace parlix
