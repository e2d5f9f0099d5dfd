#include "server/Relais.hpp"

#include <QNetworkAccessManager>
#include <QNetworkReply>

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
    , grenzen_(grenzen) {}

Relais::~Relais() = default;

QNetworkAccessManager& Relais::netz() {
    if (!netz_) {
        netz_ = std::make_unique<QNetworkAccessManager>();
    }
    return *netz_;
}

void Relais::leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                         Behandler::Antworter antworte) {
    const QString backend = QString::fromUtf8(anfrage.kopf("X-Backend"));
    const auto upstream = upstreams_.find(backend);
    if (upstream == upstreams_.end()) {
        // "grund" lets a client tell this apart from a provider that is merely busy.
        antworte(Antwort::json(
            503, {{u"detail"_s, u"Kein Anbieter für \"%1\" eingerichtet."_s.arg(backend)},
                  {u"grund"_s, u"keinAnbieter"_s}}));
        return;
    }
    if (laufend_ >= grenzen_.maxGleichzeitig) {
        antworte(Antwort::fehler(
            503,
            u"Zu viele gleichzeitige Anfragen an den Anbieter. Bitte gleich noch einmal versuchen."_s));
        return;
    }
    QUrl ziel = upstream->basis;
    ziel.setPath(ziel.path().chopped(ziel.path().endsWith(u'/') ? 1 : 0) + u'/' + unterpfad);
    QNetworkRequest weiter(ziel);
    weiter.setRawHeader("Content-Type", anfrage.kopf("Content-Type"));
    weiter.setRawHeader("Authorization", "Bearer " + upstream->schluessel);
    weiter.setTransferTimeout(grenzen_.fristMs);

    ++laufend_;
    QNetworkReply* antwort = netz().post(weiter, anfrage.koerper);
    if (anfrage.verbindung != nullptr) {
        QObject::connect(anfrage.verbindung, &QObject::destroyed, antwort, &QNetworkReply::abort);
    }
    auto zuGross = std::make_shared<bool>(false);
    const qint64 grenze = grenzen_.maxAntwortBytes;
    QObject::connect(antwort, &QNetworkReply::downloadProgress, antwort,
                     [antwort, zuGross, grenze](qint64 empfangen, qint64 gesamt) {
                         if (empfangen > grenze || gesamt > grenze) {
                             *zuGross = true;
                             antwort->abort();
                         }
                     });
    QObject::connect(
        antwort, &QNetworkReply::finished, antwort, [this, antwort, antworte, zuGross] {
            --laufend_;
            antwort->deleteLater();
            const QVariant status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            if (*zuGross) {
                antworte(Antwort::fehler(502, u"Die Antwort des Anbieters ist zu groß."_s));
            } else if (!status.isValid() ||
                       antwort->error() == QNetworkReply::OperationCanceledError) {
                antworte(Antwort::fehler(502, u"Anbieter nicht erreichbar: "_s +
                                                  antwort->errorString()));
            } else {
                antworte(Antwort::text(
                    status.toInt(), antwort->readAll(),
                    antwort->header(QNetworkRequest::ContentTypeHeader).toByteArray()));
            }
        });
}

} // namespace parlix
