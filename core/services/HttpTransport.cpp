#include "core/services/HttpTransport.hpp"

#include "core/services/BackendWurzel.hpp"
#include "core/services/CurlTransfer.hpp"
#include "core/services/TransportFehler.hpp"

#include <curl/curl.h>
#include <map>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

CURLM* neuerMulti() {
    static std::once_flag einmal;
    std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CURLM* multi = curl_multi_init();
    // libcurl's default cache holds four connections per transfer in flight at the
    // moment one comes back, so after a burst of calls it closes the very connections the
    // next burst needs. A fixed size keeps them (each provider's, up to the relay's cap).
    curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 64L);
    return multi;
}

// A call to Parlix's own local server proves with its secret that it comes from this
// user's Parlix; no other address ever sees the secret.
HttpAnfrage mitLokalemGeheimnis(const HttpAnfrage& anfrage) {
    HttpAnfrage ergaenzt = anfrage;
    if (const auto geheimnis = lokalesGeheimnisFuer(anfrage.url)) {
        ergaenzt.setzeKopf("X-Parlix-Lokal", *geheimnis);
    }
    return ergaenzt;
}

} // namespace

HttpTransport::HttpTransport()
    : multi_(neuerMulti())
    , faden_([this] { laufe(); }) {}

HttpTransport::~HttpTransport() {
    {
        std::lock_guard lock(sperre_);
        ende_ = true;
    }
    curl_multi_wakeup(multi_);
    faden_.join();
    curl_multi_cleanup(multi_);
}

HttpTransport& HttpTransport::geteilt() {
    static HttpTransport transport;
    return transport;
}

HttpAntwort HttpTransport::fuehreAus(const HttpAnfrage& anfrage, std::stop_token stop) {
    if (stop.stop_requested()) {
        throw TransportFehler(TransportFehler::Art::abgebrochen, u"Anfrage abgebrochen"_s);
    }
    const std::shared_ptr<CurlTransfer> transfer = starte(anfrage, {});
    if (!transfer->warte(stop)) {
        brichAb(transfer);
        transfer->warte();
    }
    return transfer->ergebnis();
}

std::shared_ptr<CurlTransfer>
HttpTransport::starte(const HttpAnfrage& anfrage, std::function<void(CurlTransfer&)> abschluss,
                      std::function<bool(CurlTransfer&, QByteArrayView)> empfang) {
    auto transfer = std::make_shared<CurlTransfer>(mitLokalemGeheimnis(anfrage));
    transfer->beimAbschluss(std::move(abschluss));
    transfer->beimEmpfang(std::move(empfang));
    reiheEin(neu_, transfer);
    return transfer;
}

void HttpTransport::brichAb(std::shared_ptr<CurlTransfer> transfer) {
    reiheEin(abzubrechen_, std::move(transfer));
}

void HttpTransport::reiheEin(std::vector<std::shared_ptr<CurlTransfer>>& liste,
                             std::shared_ptr<CurlTransfer> transfer) {
    {
        std::lock_guard lock(sperre_);
        if (!ende_) {
            liste.push_back(std::move(transfer));
        }
    }
    if (transfer == nullptr) {
        curl_multi_wakeup(multi_);
    } else if (&liste == &neu_) {
        // Too late: the transport thread has ended every call it held, and never got this.
        transfer->schliesseAlsAbgebrochenAb();
    }
}

void HttpTransport::laufe() {
    std::map<CURL*, std::shared_ptr<CurlTransfer>> aktiv;
    auto beende = [&](CURL* handle, const auto& abschluss) {
        const auto eintrag = aktiv.extract(handle);
        curl_multi_remove_handle(multi_, handle);
        abschluss(*eintrag.mapped());
    };
    for (;;) {
        std::vector<std::shared_ptr<CurlTransfer>> neue;
        std::vector<std::shared_ptr<CurlTransfer>> abbrueche;
        bool ende = false;
        {
            std::lock_guard lock(sperre_);
            neue.swap(neu_);
            abbrueche.swap(abzubrechen_);
            ende = ende_;
        }
        for (auto& transfer : neue) {
            curl_multi_add_handle(multi_, transfer->handle());
            aktiv.emplace(transfer->handle(), std::move(transfer));
        }
        for (const auto& transfer : abbrueche) {
            // Already finished transfers have released their handle.
            if (transfer->handle() != nullptr && aktiv.contains(transfer->handle())) {
                beende(transfer->handle(), [](CurlTransfer& t) { t.schliesseAlsAbgebrochenAb(); });
            }
        }
        if (ende) {
            while (!aktiv.empty()) {
                beende(aktiv.begin()->first,
                       [](CurlTransfer& t) { t.schliesseAlsAbgebrochenAb(); });
            }
            return;
        }
        int laufend = 0;
        curl_multi_perform(multi_, &laufend);
        int rest = 0;
        while (CURLMsg* nachricht = curl_multi_info_read(multi_, &rest)) {
            if (nachricht->msg == CURLMSG_DONE) {
                const int code = nachricht->data.result;
                beende(nachricht->easy_handle, [code](CurlTransfer& t) { t.schliesseAb(code); });
            }
        }
        // Wakes up for socket activity, libcurl's own timers, or a new or cancelled call.
        curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
    }
}

} // namespace parlix
