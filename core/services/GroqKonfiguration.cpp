#include "core/services/GroqKonfiguration.hpp"

#include "core/services/BackendWurzel.hpp"
#include "core/services/UrlPfad.hpp"
#include "core/settings/Einstellungen.hpp"

#include <mutex>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

struct Quellen {
    std::mutex sperre;
    GroqKonfiguration::Quelle token = [] { return std::optional<QString>(); };
    GroqKonfiguration::Quelle geraeteID = [] { return std::optional<QString>(); };
};

Quellen& quellen() {
    static Quellen alle;
    return alle;
}

GroqKonfiguration::Quelle lies(GroqKonfiguration::Quelle Quellen::*feld) {
    std::lock_guard lock(quellen().sperre);
    return quellen().*feld;
}

void setze(GroqKonfiguration::Quelle Quellen::*feld, GroqKonfiguration::Quelle quelle) {
    std::lock_guard lock(quellen().sperre);
    quellen().*feld = std::move(quelle);
}

QUrl basisAus(const QString& proxyURL) {
    const QUrl url(proxyURL, QUrl::StrictMode);
    return !proxyURL.isEmpty() && url.isValid() ? url : GroqKonfiguration::proxyBasis();
}

} // namespace

GroqKonfiguration GroqKonfiguration::ausEinstellungen(DefaultsStore& speicher) {
    const Einstellungen einstellungen(speicher);
    return aus(einstellungen.proxyURL(), einstellungen.dsgvoModus());
}

GroqKonfiguration GroqKonfiguration::aus(const QString& proxyURL, bool dsgvo) {
    GroqKonfiguration konfig;
    konfig.baseURL = basisAus(proxyURL);
    konfig.apiKey = tokenQuelle()().value_or(QString());
    konfig.geraeteID = geraeteIDQuelle()();
    konfig.sttModell = dsgvo ? u"voxtral-mini-latest"_s : u"whisper-large-v3"_s;
    konfig.chatModell = u"openai/gpt-oss-120b"_s;
    konfig.backend = dsgvo ? u"mistral"_s : u"groq"_s;
    return konfig;
}

QUrl GroqKonfiguration::proxyBasis() {
    return mitPfad(backendWurzel(), u"openai/v1"_s);
}

GroqKonfiguration::Quelle GroqKonfiguration::tokenQuelle() {
    return lies(&Quellen::token);
}

void GroqKonfiguration::setzeTokenQuelle(Quelle quelle) {
    setze(&Quellen::token, std::move(quelle));
}

GroqKonfiguration::Quelle GroqKonfiguration::geraeteIDQuelle() {
    return lies(&Quellen::geraeteID);
}

void GroqKonfiguration::setzeGeraeteIDQuelle(Quelle quelle) {
    setze(&Quellen::geraeteID, std::move(quelle));
}

} // namespace parlix
