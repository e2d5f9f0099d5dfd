#pragma once

#include "core/services/HttpAnfrage.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

using CURLM = void;

namespace parlix {

class CurlTransfer;

// The shared HTTP client. One thread owns one libcurl multi handle and runs every
// transfer, so its connection cache lives as long as the transport and consecutive
// calls to the same server reuse their connection. (libcurl cannot share a connection
// cache between threads safely; a single owner thread sidesteps that.)
//
// Calls block the calling thread until the response is complete. TLS certificates
// and host names are always verified; only http and https are spoken; redirects are
// not followed. Every call ends with a TransportFehler when no complete response came:
// cancelled through the stop token (within milliseconds), timed out, refused, not HTTP,
// or a body over CurlTransfer::maxAntwortBytes.
class HttpTransport {
public:
    HttpTransport();
    ~HttpTransport();
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    // The process-wide transport.
    static HttpTransport& geteilt();

    // Any thread. Returns the response whatever its status.
    HttpAntwort fuehreAus(const HttpAnfrage& anfrage, std::stop_token stop = {});

    // Any thread, without waiting: `abschluss` runs on the transport thread when the call
    // is over and takes its outcome with CurlTransfer::ergebnis() (see
    // CurlTransfer::beimAbschluss); with `empfang` the body goes there as it arrives
    // (CurlTransfer::beimEmpfang). Throws a TransportFehler for a request that cannot be
    // sent at all.
    std::shared_ptr<CurlTransfer>
    starte(const HttpAnfrage& anfrage, std::function<void(CurlTransfer&)> abschluss,
           std::function<bool(CurlTransfer&, QByteArrayView)> empfang = {});
    // Any thread: ends a started call as cancelled, unless it is over already.
    void brichAb(std::shared_ptr<CurlTransfer> transfer);

private:
    void reiheEin(std::vector<std::shared_ptr<CurlTransfer>>& liste,
                  std::shared_ptr<CurlTransfer> transfer);
    void laufe();

    CURLM* multi_;
    std::mutex sperre_;
    std::vector<std::shared_ptr<CurlTransfer>> neu_;
    std::vector<std::shared_ptr<CurlTransfer>> abzubrechen_;
    bool ende_ = false;
    std::thread faden_;
};

} // namespace parlix
