#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QWebSocketProtocol>
#include <chrono>
#include <functional>

namespace parlix {

// What the server does on a stream, step by step: send frames, pause, wait for the
// client's chunks or its "END", close with a code or drop the connection. After the
// last step the stream stays open and silent. A value type; build it with the verbs:
//     StreamAblauf().sendeDelta(u"Hallo"_s).warteAufEnde().sendeFinal(u"Hallo Welt"_s)
class StreamAblauf {
public:
    struct Schritt {
        enum class Art {
            text,       // `daten` as a text frame
            binaer,     // `daten` as a binary frame
            pause,      // `dauer`
            aufChunks,  // until `anzahl` binary frames have arrived in all
            aufEnde,    // until the text "END" has arrived
            schliessen, // close handshake with `code` and `daten` as the reason
            trennen,    // TCP connection dropped without a close frame
        };
        Art art = Art::text;
        QByteArray daten;
        std::chrono::milliseconds dauer{0};
        qsizetype anzahl = 0;
        QWebSocketProtocol::CloseCode code = QWebSocketProtocol::CloseCodeNormal;
    };

    // {"delta": teil}, {"final": transkript}, {"error": wert}
    StreamAblauf& sendeDelta(const QString& teil);
    StreamAblauf& sendeFinal(const QString& transkript);
    StreamAblauf& sendeFehler(const QJsonValue& wert = QStringLiteral("Upstream nicht erreichbar"));
    // Any text frame, JSON or not.
    StreamAblauf& sendeText(const QByteArray& utf8);
    StreamAblauf& sendeBinaer(const QByteArray& daten);
    StreamAblauf& warte(std::chrono::milliseconds dauer);
    StreamAblauf& warteAufChunks(qsizetype anzahl);
    StreamAblauf& warteAufEnde();
    StreamAblauf&
    schliesse(QWebSocketProtocol::CloseCode code = QWebSocketProtocol::CloseCodeNormal,
              const QString& grund = {});
    StreamAblauf& trenne();

    const QList<Schritt>& schritte() const { return schritte_; }

private:
    StreamAblauf& fuegeAn(Schritt::Art art, const std::function<void(Schritt&)>& fuelle = {});

    QList<Schritt> schritte_;
};

} // namespace parlix
