#pragma once

#include "server/Behandler.hpp"
#include "server/KontenDienst.hpp"
#include "server/Relais.hpp"

namespace parlix {

// The reference backend's own behaviour: accounts, the relay to the upstream
// providers, the version document and the update archive. The stream has no upstream
// yet and answers "END" with an error, which makes the client fall back to batch
// transcription. Used on the server's thread only.
class Dienste final : public Behandler {
public:
    struct Einrichtung {
        QString kontenDatei; // empty: accounts in memory only
        KontenDienst::CodeVersand codeVersand;
        QHash<QString, Relais::Upstream> upstreams;
        QString version; // served by "version"
        QString archiv;  // served by "download/parlix.zip"; may be empty
    };

    explicit Dienste(Einrichtung einrichtung);

    void behandle(const Anfrage& anfrage, Antworter antworte) override;
    void neuerStream(const Anfrage& handshake, QWebSocket& socket) override;

private:
    Antwort konto(const Anfrage& anfrage);
    Antwort archiv() const;
    // A relay call needs a valid token or at least a device id.
    bool darfWeiterleiten(const Anfrage& anfrage) const;

    KontenDienst konten_;
    Relais relais_;
    QString version_;
    QString archiv_;
};

} // namespace parlix
