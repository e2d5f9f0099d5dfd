#pragma once

#include <QString>
#include <stdexcept>

namespace parlix {

// A request that produced no HTTP response: cancelled, timed out, refused, a failed TLS
// handshake or certificate, an answer too large to accept, or not HTTP at all. what() is a readable
// description in UTF-8; it is what log lines quote.
class TransportFehler : public std::runtime_error {
public:
    enum class Art { abgebrochen, zeitueberschreitung, zuGross, keinHttp, tls, netzwerk };

    TransportFehler(Art art, const QString& beschreibung);

    Art art() const { return art_; }
    QString beschreibung() const { return QString::fromUtf8(what()); }

private:
    Art art_;
};

} // namespace parlix
