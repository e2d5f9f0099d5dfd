#pragma once

#include "server/Behandler.hpp"

#include <QByteArray>
#include <QMetaObject>
#include <atomic>
#include <memory>

namespace parlix {

class AntwortStrom;
class CurlTransfer;
class TransportFehler;

// One relayed call on its way back, on the transport's thread. A successful chat answer
// that starts like JSON (or is an event stream) goes to the client as it arrives, unless
// it arrived whole at once; the rest (errors, transcripts, anything to translate) is
// collected and answered once complete.
// An answer over the cap becomes 502 while nothing was sent, and is cut short after.
class RelaisRuf {
public:
    RelaisRuf(Behandler::Antworter antworte, bool jsonErwartet, qint64 maxBytes,
              std::shared_ptr<std::atomic<int>> laufend);

    // Ends the link that cancels the call when its client goes, along with the call.
    void haengeAn(QMetaObject::Connection abbruch) { abbruch_ = abbruch; }

    bool empfange(CurlTransfer& transfer, QByteArrayView stueck);
    void schliesseAb(CurlTransfer& transfer);
    // The call could not be sent at all.
    void scheitere(const TransportFehler& fehler);

private:
    bool stroemt(CurlTransfer& transfer, QByteArrayView erstes) const;
    Antwort ganzeAntwort(CurlTransfer& transfer);
    void ende();

    Behandler::Antworter antworte_;
    const bool jsonErwartet_;
    const qint64 maxBytes_;
    std::shared_ptr<std::atomic<int>> laufend_;
    QMetaObject::Connection abbruch_;
    qint64 bytes_ = 0;
    bool zuGross_ = false;
    QByteArray koerper_;                  // an answer that is collected
    std::shared_ptr<AntwortStrom> strom_; // or the one going out
};

} // namespace parlix
