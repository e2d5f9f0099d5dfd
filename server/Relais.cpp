#include "server/Relais.hpp"

#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"

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
    , transport_(std::make_unique<HttpTransport>())
    , wartende_(grenzen.maxGleichzeitig, grenzen.maxGleichzeitig, {}) {}

Relais::~Relais() {
    ende_.request_stop();
}

std::optional<HttpAnfrage> Relais::upstreamAnfrage(const Anfrage& anfrage,
                                                   const QString& unterpfad) const {
    const auto upstream = upstreams_.find(QString::fromUtf8(anfrage.kopf("X-Backend")));
    if (upstream == upstreams_.end()) {
        return std::nullopt;
    }
    HttpAnfrage weiter;
    weiter.methode = "POST";
    weiter.url = upstream->basis;
    weiter.url.setPath(weiter.url.path().chopped(weiter.url.path().endsWith(u'/') ? 1 : 0) + u'/' +
                       unterpfad);
    weiter.setzeKopf("Content-Type", anfrage.kopf("Content-Type"));
    weiter.setzeKopf("Authorization", "Bearer " + upstream->schluessel);
    weiter.koerper = anfrage.koerper;
    weiter.zeitlimit = std::chrono::milliseconds(grenzen_.fristMs);
    return weiter;
}

void Relais::leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                         Behandler::Antworter antworte) {
    std::optional<HttpAnfrage> weiter = upstreamAnfrage(anfrage, unterpfad);
    if (!weiter) {
        // "grund" lets a client tell this apart from a provider that is merely busy.
        antworte(
            Antwort::json(503, {{u"detail"_s, u"Kein Anbieter für \"%1\" eingerichtet."_s.arg(
                                                  QString::fromUtf8(anfrage.kopf("X-Backend")))},
                                {u"grund"_s, u"keinAnbieter"_s}}));
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
    const bool angenommen = wartende_.reiheEin([this, weiter = *weiter, abbruch, antworte] {
        const std::stop_callback beimEnde(ende_.get_token(),
                                          [abbruch] { abbruch->request_stop(); });
        const Antwort antwort = rufeAuf(weiter, abbruch->get_token());
        laufend_.fetch_sub(1);
        antworte(antwort);
    });
    if (!angenommen) { // only while the server shuts down
        laufend_.fetch_sub(1);
    }
}

Antwort Relais::rufeAuf(const HttpAnfrage& anfrage, std::stop_token stop) {
    try {
        const HttpAntwort antwort = transport_->fuehreAus(anfrage, std::move(stop));
        if (antwort.koerper.size() > grenzen_.maxAntwortBytes) {
            return Antwort::fehler(502, u"Die Antwort des Anbieters ist zu groß."_s);
        }
        return Antwort::text(antwort.status, antwort.koerper, antwort.kopf("Content-Type"));
    } catch (const TransportFehler& fehler) {
        if (fehler.art() == TransportFehler::Art::zuGross) {
            return Antwort::fehler(502, u"Die Antwort des Anbieters ist zu groß."_s);
        }
        return Antwort::fehler(502, u"Anbieter nicht erreichbar: "_s + fehler.beschreibung());
    }
}

} // namespace parlix
