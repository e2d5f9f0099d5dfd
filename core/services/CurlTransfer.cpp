#include "core/services/CurlTransfer.hpp"

#include "core/services/TransportFehler.hpp"

#include <QCoreApplication>
#include <curl/curl.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString curlText(int code, const char* puffer) {
    return puffer[0] != '\0' ? QString::fromUtf8(puffer)
                             : QString::fromUtf8(curl_easy_strerror(static_cast<CURLcode>(code)));
}

TransportFehler zuGrosseAntwort() {
    return TransportFehler(TransportFehler::Art::zuGross,
                           u"Antwort größer als %1 MiB, nicht angenommen"_s.arg(
                               CurlTransfer::maxAntwortBytes / (1024 * 1024)));
}

// A line break in a header would smuggle further headers into the request.
void pruefeKopfzeilen(const Kopfzeilen& kopfzeilen) {
    const auto unsicher = [](const QByteArray& text) {
        return text.contains('\r') || text.contains('\n') || text.contains('\0');
    };
    for (const auto& [name, wert] : kopfzeilen) {
        if (name.isEmpty() || name.contains(':') || unsicher(name) || unsicher(wert)) {
            throw TransportFehler(TransportFehler::Art::netzwerk,
                                  u"Ungültige Kopfzeile: "_s + QString::fromUtf8(name.left(40)));
        }
    }
}

} // namespace

CurlTransfer::CurlTransfer(const HttpAnfrage& anfrage)
    : anfrageKoerper_(anfrage.koerper)
    , zeitlimit_(anfrage.zeitlimit) {
    pruefeKopfzeilen(anfrage.kopfzeilen);
    handle_ = curl_easy_init();
    if (handle_ == nullptr) {
        throw TransportFehler(TransportFehler::Art::netzwerk, u"libcurl nicht verfügbar"_s);
    }
    curl_easy_setopt(handle_, CURLOPT_URL, anfrage.url.toEncoded().constData());
    curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle_, CURLOPT_TIMEOUT_MS, static_cast<long>(anfrage.zeitlimit.count()));
    curl_easy_setopt(handle_, CURLOPT_MAXFILESIZE_LARGE, curl_off_t{maxAntwortBytes});
    curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, fehlerText_);
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlTransfer::empfangeKoerper);
    curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &CurlTransfer::empfangeKopf);
    curl_easy_setopt(handle_, CURLOPT_HEADERDATA, this);
    const QByteArray agent = "Parlix/" + QCoreApplication::applicationVersion().toUtf8();
    curl_easy_setopt(handle_, CURLOPT_USERAGENT, agent.constData()); // copied by libcurl
    setzeMethodeUndKoerper(anfrage);
    setzeKopfzeilen(anfrage);
}

CurlTransfer::~CurlTransfer() {
    gibFrei();
}

void CurlTransfer::setzeMethodeUndKoerper(const HttpAnfrage& anfrage) {
    if (anfrage.methode == "GET" && anfrage.koerper.isEmpty()) {
        curl_easy_setopt(handle_, CURLOPT_HTTPGET, 1L);
        return;
    }
    curl_easy_setopt(handle_, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t{anfrageKoerper_.size()});
    curl_easy_setopt(handle_, CURLOPT_POSTFIELDS, anfrageKoerper_.constData());
    if (anfrage.methode != "POST") {
        curl_easy_setopt(handle_, CURLOPT_CUSTOMREQUEST, anfrage.methode.constData());
    }
}

void CurlTransfer::setzeKopfzeilen(const HttpAnfrage& anfrage) {
    for (const auto& [name, wert] : anfrage.kopfzeilen) {
        // "Name;" is libcurl's way of sending a header with an empty value.
        const QByteArray zeile = wert.isEmpty() ? name + ';' : name + ": " + wert;
        kopfListe_ = curl_slist_append(kopfListe_, zeile.constData());
    }
    // Without this libcurl asks large uploads to wait for "100 Continue" first, which
    // costs a round trip or a second of waiting on servers that do not send it.
    kopfListe_ = curl_slist_append(kopfListe_, "Expect:");
    curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, kopfListe_);
}

size_t CurlTransfer::empfangeKoerper(char* daten, size_t groesse, size_t anzahl, void* selbst) {
    auto& transfer = *static_cast<CurlTransfer*>(selbst);
    const auto laenge = static_cast<qint64>(groesse * anzahl);
    if (transfer.empfang_) {
        return transfer.empfang_(transfer, QByteArrayView(daten, laenge)) ? groesse * anzahl : 0;
    }
    if (transfer.antwort_.koerper.size() + laenge > maxAntwortBytes) {
        transfer.zuGross_ = true;
        return 0; // makes libcurl stop with a write error
    }
    transfer.antwort_.koerper.append(daten, laenge);
    return groesse * anzahl;
}

size_t CurlTransfer::empfangeKopf(char* daten, size_t groesse, size_t anzahl, void* selbst) {
    auto& antwort = static_cast<CurlTransfer*>(selbst)->antwort_;
    const QByteArray zeile = QByteArray(daten, static_cast<qsizetype>(groesse * anzahl)).trimmed();
    if (zeile.startsWith("HTTP/")) {
        antwort.kopfzeilen.clear(); // a new response begins (after an interim one)
    } else if (const auto trenner = zeile.indexOf(':'); trenner > 0) {
        antwort.kopfzeilen.append(
            {zeile.left(trenner).trimmed(), zeile.mid(trenner + 1).trimmed()});
    }
    return groesse * anzahl;
}

void CurlTransfer::gibFrei() {
    if (handle_ != nullptr) {
        curl_easy_cleanup(handle_);
        handle_ = nullptr;
    }
    curl_slist_free_all(kopfListe_);
    kopfListe_ = nullptr;
}

int CurlTransfer::status() const {
    long status = 0;
    curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &status);
    return static_cast<int>(status);
}

void CurlTransfer::schliesseAb(int code) {
    antwort_.status = status();
    schliesse(code, false);
}

void CurlTransfer::schliesseAlsAbgebrochenAb() {
    schliesse(0, true);
}

void CurlTransfer::schliesse(int code, bool abgebrochen) {
    gibFrei();
    empfang_ = nullptr;
    {
        std::lock_guard lock(sperre_);
        code_ = code;
        abgebrochen_ = abgebrochen;
        fertig_ = true;
        fertigSignal_.notify_all();
    }
    // Released once it has run: it may hold what the caller no longer needs.
    if (auto abschluss = std::exchange(abschluss_, nullptr)) {
        abschluss(*this);
    }
}

bool CurlTransfer::warte(std::stop_token stop) {
    std::unique_lock lock(sperre_);
    return fertigSignal_.wait(lock, stop, [this] { return fertig_; });
}

void CurlTransfer::warte() {
    std::unique_lock lock(sperre_);
    fertigSignal_.wait(lock, [this] { return fertig_; });
}

HttpAntwort CurlTransfer::ergebnis() {
    std::lock_guard lock(sperre_);
    using Art = TransportFehler::Art;
    if (abgebrochen_) {
        throw TransportFehler(Art::abgebrochen, u"Anfrage abgebrochen"_s);
    }
    switch (static_cast<CURLcode>(code_)) {
    case CURLE_OK:
        return std::move(antwort_);
    case CURLE_OPERATION_TIMEDOUT:
        throw TransportFehler(Art::zeitueberschreitung,
                              u"Zeitüberschreitung: keine vollständige Antwort nach %1 s"_s.arg(
                                  std::chrono::duration<double>(zeitlimit_).count()));
    case CURLE_FILESIZE_EXCEEDED: // announced by Content-Length
        throw zuGrosseAntwort();
    case CURLE_WRITE_ERROR: // found while receiving
        if (zuGross_) {
            throw zuGrosseAntwort();
        }
        break;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_WEIRD_SERVER_REPLY:
        throw TransportFehler(Art::keinHttp,
                              u"Keine HTTP-Antwort: "_s + curlText(code_, fehlerText_));
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        throw TransportFehler(Art::tls, u"TLS-Fehler: "_s + curlText(code_, fehlerText_));
    default:
        break;
    }
    throw TransportFehler(Art::netzwerk, u"Netzwerkfehler: "_s + curlText(code_, fehlerText_));
}

} // namespace parlix
