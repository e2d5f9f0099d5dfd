#include "server/Relais.hpp"

#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "server/AnbieterFehler.hpp"
#include "server/AnbieterWahl.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>

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
    , transport_(std::make_unique<HttpTransport>())
    , wartende_(grenzen.maxGleichzeitig, grenzen.maxGleichzeitig, {}) {}

Relais::~Relais() {
    ende_.request_stop();
}

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
    if (laufend_.fetch_add(1) >= grenzen_.maxGleichzeitig) {
        laufend_.fetch_sub(1);
        antworte(Antwort::fehler(
            503,
            u"Zu viele gleichzeitige Anfragen an den Anbieter. Bitte gleich noch einmal versuchen."_s));
        return;
    }
    auto abbruch = std::make_shared<std::stop_source>();
    if (anfrage.verbindung != nullptr) {
        QObject::connect(anfrage.verbindung, &QObject::destroyed,
                         [abbruch] { abbruch->request_stop(); });
    }
    const bool jsonErwartet = unterpfad == u"chat/completions"_s;
    const bool angenommen = wartende_.reiheEin(
        [this, weiter = std::get<HttpAnfrage>(std::move(weiter)), abbruch, antworte, jsonErwartet] {
            const std::stop_callback beimEnde(ende_.get_token(),
                                              [abbruch] { abbruch->request_stop(); });
            const Antwort antwort = rufeAuf(weiter, jsonErwartet, abbruch->get_token());
            laufend_.fetch_sub(1);
            antworte(antwort);
        });
    if (!angenommen) { // only while the server shuts down
        laufend_.fetch_sub(1);
    }
}

Antwort Relais::rufeAuf(const HttpAnfrage& anfrage, bool jsonErwartet, std::stop_token stop) {
    try {
        const HttpAntwort antwort = transport_->fuehreAus(anfrage, std::move(stop));
        if (antwort.koerper.size() > grenzen_.maxAntwortBytes) {
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
        if (fehler.art() == TransportFehler::Art::zuGross) {
            return zuGross();
        }
        return AnbieterFehler::ohneAntwort(transportFehler(fehler.art()), fehler.beschreibung());
    }
}

} // namespace parlix
