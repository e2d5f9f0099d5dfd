#include "server/Relais.hpp"

#include "core/services/CurlTransfer.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "server/AnbieterFehler.hpp"
#include "server/AnbieterWahl.hpp"

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

} // namespace

QHash<QString, Relais::Upstream> Relais::ausUmgebung() {
    QHash<QString, Upstream> upstreams;
    for (const QString& name : {u"groq"_s, u"mistral"_s}) {
        const QByteArray praefix = "PARLIX_UPSTREAM_" + name.toUpper().toLatin1();
        const QUrl basis(qEnvironmentVariable(praefix + "_URL"), QUrl::StrictMode);
        if (basis.isValid() && !basis.isRelative()) {
            upstreams.insert(name, {basis, qgetenv(praefix + "_KEY")});
        }
    }
    return upstreams;
}

Relais::Relais(QHash<QString, Upstream> upstreams, Grenzen grenzen)
    : upstreams_(std::move(upstreams))
    , grenzen_(grenzen)
    , transport_(std::make_shared<HttpTransport>()) {}

// Ending the transport ends the calls in flight as cancelled; their clients hear so.
Relais::~Relais() = default;

std::variant<HttpAnfrage, Antwort> Relais::upstreamAnfrage(const Anfrage& anfrage,
                                                           const QString& unterpfad) const {
    auto wahl = AnbieterWahl::waehle(upstreams_, anbieter_, anfrage, unterpfad);
    if (Antwort* nein = std::get_if<Antwort>(&wahl)) {
        return *nein;
    }
    AnbieterWahl::Ziel& ziel = std::get<AnbieterWahl::Ziel>(wahl);
    HttpAnfrage weiter;
    weiter.methode = "POST";
    weiter.url = ziel.url;
    weiter.setzeKopf("Content-Type", anfrage.kopf("Content-Type"));
    if (!ziel.schluessel.isEmpty()) { // a local provider may need none
        weiter.setzeKopf("Authorization", "Bearer " + ziel.schluessel);
    }
    weiter.koerper = std::move(ziel.koerper);
    weiter.zeitlimit = std::chrono::milliseconds(grenzen_.fristMs);
    return weiter;
}

void Relais::leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                         Behandler::Antworter antworte) {
    auto weiter = upstreamAnfrage(anfrage, unterpfad);
    if (const Antwort* nein = std::get_if<Antwort>(&weiter)) {
        antworte(*nein);
        return;
    }
    if (laufend_->fetch_add(1) >= grenzen_.maxGleichzeitig) {
        laufend_->fetch_sub(1);
        antworte(Antwort::fehler(
            503,
            u"Zu viele gleichzeitige Anfragen an den Anbieter. Bitte gleich noch einmal versuchen."_s));
        return;
    }
    const bool jsonErwartet = unterpfad == u"chat/completions"_s;
    // A client that goes cancels its call; the link goes with the call, so that a
    // connection carrying many calls does not collect them.
    auto ruf = std::make_shared<std::weak_ptr<CurlTransfer>>();
    QMetaObject::Connection abbruch;
    if (anfrage.verbindung != nullptr) {
        abbruch = QObject::connect(anfrage.verbindung, &QObject::destroyed,
                                   [transport = std::weak_ptr(transport_), ruf] {
                                       const auto laeuft = transport.lock();
                                       if (auto offen = ruf->lock(); laeuft && offen) {
                                           laeuft->brichAb(std::move(offen));
                                       }
                                   });
    }
    try {
        *ruf = transport_->starte(std::get<HttpAnfrage>(weiter),
                                  [laufend = laufend_, antworte, jsonErwartet, abbruch,
                                   maxBytes = grenzen_.maxAntwortBytes](CurlTransfer& fertig) {
                                      QObject::disconnect(abbruch);
                                      laufend->fetch_sub(1);
                                      antworte(antwortAus(fertig, jsonErwartet, maxBytes));
                                  });
    } catch (const TransportFehler& fehler) {
        QObject::disconnect(abbruch);
        laufend_->fetch_sub(1);
        antworte(ohneAntwort(fehler));
    }
}

Antwort Relais::antwortAus(CurlTransfer& transfer, bool jsonErwartet, qint64 maxBytes) {
    try {
        const HttpAntwort antwort = transfer.ergebnis();
        if (antwort.koerper.size() > maxBytes) {
            return zuGross();
        }
        if (std::optional<Antwort> fehler =
                AnbieterFehler::pruefe(antwort.status, antwort.koerper, jsonErwartet)) {
            return *fehler;
        }
        return jsonErwartet
                   ? Antwort::text(antwort.status, antwort.koerper, antwort.kopf("Content-Type"))
                   : alsText(antwort);
    } catch (const TransportFehler& fehler) {
        return ohneAntwort(fehler);
    }
}

} // namespace parlix
