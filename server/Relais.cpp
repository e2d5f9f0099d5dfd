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

Relais::Relais(QHash<QString, Upstream> upstreams)
    : upstreams_(std::move(upstreams)) {}

void Relais::leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                         Behandler::Antworter antworte) const {
    const QString backend = QString::fromUtf8(anfrage.kopf("X-Backend"));
    const auto upstream = upstreams_.find(backend);
    if (upstream == upstreams_.end()) {
        // "grund" lets a client tell this apart from a provider that is merely busy.
        antworte(Antwort::json(
            503, {{u"detail"_s, u"Kein Anbieter für \"%1\" eingerichtet."_s.arg(backend)},
                  {u"grund"_s, u"keinAnbieter"_s}}));
        return;
    }
    QUrl ziel = upstream->basis;
    ziel.setPath(ziel.path().chopped(ziel.path().endsWith(u'/') ? 1 : 0) + u'/' + unterpfad);
    QNetworkRequest weiter(ziel);
    weiter.setRawHeader("Content-Type", anfrage.kopf("Content-Type"));
    weiter.setRawHeader("Authorization", "Bearer " + upstream->schluessel);
    weiter.setTransferTimeout(120000);

    // One manager per call keeps the relay free of shared state; it goes with the reply.
    auto* netz = new QNetworkAccessManager;
    QNetworkReply* antwort = netz->post(weiter, anfrage.koerper);
    QObject::connect(antwort, &QNetworkReply::finished, netz, [netz, antwort, antworte] {
        const QVariant status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid()) {
            antworte(
                Antwort::fehler(502, u"Anbieter nicht erreichbar: "_s + antwort->errorString()));
        } else {
            antworte(
                Antwort::text(status.toInt(), antwort->readAll(),
                              antwort->header(QNetworkRequest::ContentTypeHeader).toByteArray()));
        }
        netz->deleteLater();
    });
}

} // namespace parlix
