#include "app/stream/EUStreamClient.hpp"

#include "app/stream/NetzFaden.hpp"
#include "app/stream/StreamVerbindung.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/Geraet.hpp"
#include "core/services/GroqKonfiguration.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QNetworkRequest>

using namespace Qt::StringLiterals;

namespace parlix {

EUStreamClient::EUStreamClient(DefaultsStore& speicher, MainQueue& mainQueue, NetzFaden& netz)
    : EUStreamClient(speicher, mainQueue, netz, Optionen{}) {}

EUStreamClient::EUStreamClient(DefaultsStore& speicher, MainQueue& mainQueue, NetzFaden& netz,
                               Optionen optionen)
    : speicher_(speicher)
    , netz_(netz)
    , optionen_(std::move(optionen))
    , verbindung_(std::make_shared<StreamVerbindung>(mainQueue)) {
    if (!optionen_.tokenQuelle) {
        optionen_.tokenQuelle = [] { return TokenSpeicher::lese(); };
    }
}

EUStreamClient::~EUStreamClient() {
    verbindung_->verstumme();
    if (gestartet_) {
        netz_.post([verbindung = verbindung_] { verbindung->schliesse(); });
    }
}

bool EUStreamClient::starte() {
    const std::optional<QUrl> url = streamURL(speicher_);
    if (!url) {
        return false;
    }
    QNetworkRequest request(*url);
    if (const std::optional<QString> token = optionen_.tokenQuelle(); token && !token->isEmpty()) {
        request.setRawHeader("Authorization", "Bearer " + token->toUtf8());
    }
    request.setRawHeader("X-Device-Id", Geraet::id().toUtf8());
    if (const auto geheimnis = lokalesGeheimnisFuer(*url)) {
        request.setRawHeader("X-Parlix-Lokal", *geheimnis);
    }
    verbindung_->setzeOnDelta(onDelta);
    netz_.post(
        [verbindung = verbindung_, &netz = netz_, request, limit = optionen_.handshakeLimit] {
            verbindung->oeffne(netz.wurzel(), request, limit);
        });
    gestartet_ = true;
    offen_.store(true);
    log().schreibe(u"🇪🇺 EU-Stream geöffnet"_s);
    return true;
}

void EUStreamClient::sende(const QByteArray& chunk) {
    if (offen_.load()) {
        netz_.post([verbindung = verbindung_, chunk] { verbindung->sendeChunk(chunk); });
    }
}

std::optional<QString> EUStreamClient::beende(std::stop_token stop) {
    // "END" goes out only after this call counts as waiting: a final that answers it at
    // once must reach this call, not be taken for one that came before.
    return verbindung_->aufloesung().warte(optionen_.endeLimit, std::move(stop), [this] {
        if (offen_.load()) {
            netz_.post([verbindung = verbindung_] { verbindung->sendeEnde(); });
        }
    });
}

void EUStreamClient::abbrechen() {
    if (offen_.exchange(false)) {
        netz_.post([verbindung = verbindung_] { verbindung->schliesse(); });
    }
    verbindung_->aufloesung().loese(std::nullopt);
}

std::optional<QUrl> EUStreamClient::streamURL(DefaultsStore& speicher) {
    const QString proxyURL = Einstellungen(speicher).proxyURL();
    const QString basis =
        proxyURL.isEmpty() ? GroqKonfiguration::proxyBasis().toString() : proxyURL;
    QUrl url(basis, QUrl::StrictMode);
    if (!url.isValid()) {
        return std::nullopt;
    }
    url.setScheme(url.scheme() == u"http"_s ? u"ws"_s : u"wss"_s);
    url.setPath(u"/eu/stream"_s);
    url.setQuery(QString());
    // A WebSocket URL may not carry a fragment, and it would never reach the server.
    url.setFragment(QString());
    return url;
}

} // namespace parlix
