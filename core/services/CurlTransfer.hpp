#pragma once

#include "core/services/HttpAnfrage.hpp"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>

using CURL = void;
struct curl_slist;

namespace parlix {

// One request on its way through the transport: the easy handle with its options,
// the response as it arrives, and the signal that tells the waiting caller it is over.
// The handle belongs to the transport thread from the moment the transfer is handed
// over until it is finished; the caller reads the result only after that.
class CurlTransfer {
public:
    // Answers over this size are refused: a broken or hostile server must not be able
    // to exhaust memory.
    static constexpr qint64 maxAntwortBytes = qint64{64} * 1024 * 1024;

    explicit CurlTransfer(const HttpAnfrage& anfrage);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    CURL* handle() const { return handle_; }

    // Before the transfer is handed over: runs on the transport thread once the transfer
    // is over, after the waiting caller has been woken, so that a caller need not wait.
    // It must not block: every other transfer waits while it runs.
    void beimAbschluss(std::function<void(CurlTransfer&)> abschluss) {
        abschluss_ = std::move(abschluss);
    }
    // Before the transfer is handed over: the body goes to `empfang` piece by piece as it
    // arrives, on the transport thread, instead of being collected for ergebnis(); the
    // status and the headers are known by then (status(), kopf()). Returning false stops
    // the transfer, which then ends in an error. It must not block either.
    void beimEmpfang(std::function<bool(CurlTransfer&, QByteArrayView)> empfang) {
        empfang_ = std::move(empfang);
    }
    // Transport thread, while the body arrives: the response's status and headers.
    int status() const;
    QByteArray kopf(const QByteArray& name) const { return antwort_.kopf(name); }

    // Transport thread: releases the handle and wakes the caller. `code` is libcurl's
    // result, or nothing when the transfer was cancelled.
    void schliesseAb(int code);
    void schliesseAlsAbgebrochenAb();

    // Caller: waits until the transfer is over, or until `stop` is requested (false).
    bool warte(std::stop_token stop);
    void warte();
    // Caller, after warte(): the response, or the transport error it ended in.
    HttpAntwort ergebnis();

private:
    static size_t empfangeKoerper(char* daten, size_t groesse, size_t anzahl, void* selbst);
    static size_t empfangeKopf(char* daten, size_t groesse, size_t anzahl, void* selbst);
    void setzeMethodeUndKoerper(const HttpAnfrage& anfrage);
    void setzeKopfzeilen(const HttpAnfrage& anfrage);
    void gibFrei();
    // Releases the handle, wakes the caller and runs the completion.
    void schliesse(int code, bool abgebrochen);

    CURL* handle_ = nullptr;
    curl_slist* kopfListe_ = nullptr;
    QByteArray anfrageKoerper_;
    std::chrono::milliseconds zeitlimit_;
    HttpAntwort antwort_;
    bool zuGross_ = false;
    char fehlerText_[256] = {};

    std::mutex sperre_;
    std::condition_variable_any fertigSignal_;
    bool fertig_ = false;
    bool abgebrochen_ = false;
    int code_ = 0;
    std::function<void(CurlTransfer&)> abschluss_;
    std::function<bool(CurlTransfer&, QByteArrayView)> empfang_;
};

} // namespace parlix
