#pragma once

#include "core/services/GroqKonfiguration.hpp"
#include "core/services/HttpAnfrage.hpp"

#include <stop_token>

namespace parlix {

class HttpTransport;

// Builds authenticated requests for the service endpoints and sends them. Short-lived:
// one per call or pipeline run.
class GroqVerbindung {
public:
    struct Modelle {
        QString stt;
        QString chat;
    };

    explicit GroqVerbindung(GroqKonfiguration konfig);
    GroqVerbindung(GroqKonfiguration konfig, HttpTransport& session);

    const GroqKonfiguration& konfig() const { return konfig_; }
    Modelle modelle() const { return {konfig_.sttModell, konfig_.chatModell}; }

    // A request for `pfad` below the base URL with the authentication headers and a
    // 60 s timeout; the caller adds body and Content-Type. Throws GroqFehler::keinKey
    // when there is neither a token nor a device id.
    HttpAnfrage request(const QString& pfad, const QByteArray& methode) const;

    // The body of a 2xx answer. Throws GroqFehler (http, ungueltigeAntwort) or the
    // transport's TransportFehler unchanged.
    QByteArray sende(const HttpAnfrage& anfrage, std::stop_token stop = {}) const;

    // At most the first 300 bytes of a body as UTF-8; empty when they are not valid
    // UTF-8 (a cut inside a character counts as not valid).
    static QString fehlerText(const QByteArray& koerper);

private:
    GroqKonfiguration konfig_;
    HttpTransport& session_;
};

} // namespace parlix
