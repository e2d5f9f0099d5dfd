#include "server/Relais.hpp"

#include "core/services/CurlTransfer.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "server/AnbieterWahl.hpp"
#include "server/RelaisRuf.hpp"

#include <QObject>

using namespace Qt::StringLiterals;

namespace parlix {

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
    auto ruf = std::make_shared<RelaisRuf>(std::move(antworte), unterpfad == u"chat/completions"_s,
                                           grenzen_.maxAntwortBytes, laufend_);
    // A client that goes cancels its call; the link goes with the call, so that a
    // connection carrying many calls does not collect them.
    auto transfer = std::make_shared<std::weak_ptr<CurlTransfer>>();
    if (anfrage.verbindung != nullptr) {
        ruf->haengeAn(QObject::connect(anfrage.verbindung, &QObject::destroyed,
                                       [transport = std::weak_ptr(transport_), transfer] {
                                           const auto laeuft = transport.lock();
                                           if (auto offen = transfer->lock(); laeuft && offen) {
                                               laeuft->brichAb(std::move(offen));
                                           }
                                       }));
    }
    try {
        *transfer = transport_->starte(
            std::get<HttpAnfrage>(weiter),
            [ruf](CurlTransfer& fertig) { ruf->schliesseAb(fertig); },
            [ruf](CurlTransfer& laufend, QByteArrayView stueck) {
                return ruf->empfange(laufend, stueck);
            });
    } catch (const TransportFehler& fehler) {
        ruf->scheitere(fehler);
    }
}

} // namespace parlix
