#include "server/RelaisRuf.hpp"

#include "core/services/CurlTransfer.hpp"
#include "core/services/TransportFehler.hpp"
#include "server/AnbieterFehler.hpp"
#include "server/AntwortStrom.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <optional>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

AnbieterFehler::Transport transportFehler(TransportFehler::Art art) {
    using T = AnbieterFehler::Transport;
    switch (art) {
    case TransportFehler::Art::netzwerk:
        return T::nichtErreichbar;
    case TransportFehler::Art::tls:
        return T::tls;
    case TransportFehler::Art::zeitueberschreitung:
        return T::zeit;
    default:
        return T::andere;
    }
}

// The clients ask for the transcript as plain text; some providers (local servers among
// them) answer JSON {"text": …} all the same, which would otherwise reach the user's
// document as it is.
Antwort alsText(const HttpAntwort& antwort) {
    const QJsonObject json = QJsonDocument::fromJson(antwort.koerper).object();
    if (antwort.status >= 200 && antwort.status < 300 && json.value(u"text"_s).isString()) {
        return Antwort::text(antwort.status, json.value(u"text"_s).toString().toUtf8(),
                             "text/plain; charset=utf-8");
    }
    return Antwort::text(antwort.status, antwort.koerper, antwort.kopf("Content-Type"));
}

Antwort zuGross() {
    return Antwort::fehler(502, u"Die Antwort des Anbieters ist zu groß."_s);
}

Antwort ohneAntwort(const TransportFehler& fehler) {
    if (fehler.art() == TransportFehler::Art::zuGross) {
        return zuGross();
    }
    return AnbieterFehler::ohneAntwort(transportFehler(fehler.art()), fehler.beschreibung());
}

bool erfolg(int status) {
    return status >= 200 && status < 300;
}

} // namespace

RelaisRuf::RelaisRuf(Behandler::Antworter antworte, bool jsonErwartet, qint64 maxBytes,
                     std::shared_ptr<std::atomic<int>> laufend)
    : antworte_(std::move(antworte))
    , jsonErwartet_(jsonErwartet)
    , maxBytes_(maxBytes)
    , laufend_(std::move(laufend)) {}

bool RelaisRuf::stroemt(CurlTransfer& transfer, QByteArrayView erstes) const {
    if (!jsonErwartet_ || !erfolg(transfer.status())) {
        return false;
    }
    return AnbieterFehler::beginntWieJson(erstes) ||
           transfer.kopf("Content-Type").contains("text/event-stream");
}

bool RelaisRuf::empfange(CurlTransfer& transfer, QByteArrayView stueck) {
    bytes_ += stueck.size();
    if (bytes_ > maxBytes_ || transfer.kopf("Content-Length").toLongLong() > maxBytes_) {
        zuGross_ = true;
        return false;
    }
    // An answer that came whole in its first piece goes out whole, with its length.
    const bool ganz = transfer.kopf("Content-Length").toLongLong() == stueck.size();
    if (!strom_ && koerper_.isEmpty() && !ganz && stroemt(transfer, stueck)) {
        strom_ = std::make_shared<AntwortStrom>();
        antworte_(Antwort::stueckweise(transfer.status(), transfer.kopf("Content-Type"), strom_));
    }
    if (strom_) {
        strom_->gib(stueck);
    } else {
        koerper_.append(stueck);
    }
    return true;
}

void RelaisRuf::schliesseAb(CurlTransfer& transfer) {
    ende();
    if (!strom_) {
        antworte_(ganzeAntwort(transfer));
        return;
    }
    bool vollstaendig = !zuGross_;
    try {
        transfer.ergebnis();
    } catch (const TransportFehler&) {
        vollstaendig = false;
    }
    strom_->beende(vollstaendig ? AntwortStrom::Ende::vollstaendig
                                : AntwortStrom::Ende::abgebrochen);
}

void RelaisRuf::scheitere(const TransportFehler& fehler) {
    ende();
    antworte_(ohneAntwort(fehler));
}

void RelaisRuf::ende() {
    QObject::disconnect(abbruch_);
    laufend_->fetch_sub(1);
}

Antwort RelaisRuf::ganzeAntwort(CurlTransfer& transfer) {
    if (zuGross_) {
        return zuGross();
    }
    try {
        HttpAntwort antwort = transfer.ergebnis();
        antwort.koerper = std::move(koerper_);
        if (std::optional<Antwort> fehler =
                AnbieterFehler::pruefe(antwort.status, antwort.koerper, jsonErwartet_)) {
            return *fehler;
        }
        return jsonErwartet_
                   ? Antwort::text(antwort.status, antwort.koerper, antwort.kopf("Content-Type"))
                   : alsText(antwort);
    } catch (const TransportFehler& fehler) {
        return ohneAntwort(fehler);
    }
}

} // namespace parlix
