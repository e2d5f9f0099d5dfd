#include "server/Relais.hpp"

#include "server/AnbieterFehler.hpp"
#include "server/AnbieterWahl.hpp"

#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

AnbieterFehler::Transport transportFehler(QNetworkReply::NetworkError fehler) {
    using T = AnbieterFehler::Transport;
    switch (fehler) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return T::nichtErreichbar;
    case QNetworkReply::SslHandshakeFailedError:
        return T::tls;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the transfer deadline cancels the call
        return T::zeit;
    default:
        return T::andere;
    }
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
    auto wahl = AnbieterWahl::waehle(upstreams_, anbieter_, anfrage, unterpfad);
    if (const Antwort* nein = std::get_if<Antwort>(&wahl)) {
        antworte(*nein);
        return;
    }
    const AnbieterWahl::Ziel& ziel = std::get<AnbieterWahl::Ziel>(wahl);
    if (laufend_ >= grenzen_.maxGleichzeitig) {
        antworte(Antwort::fehler(
            503,
            u"Zu viele gleichzeitige Anfragen an den Anbieter. Bitte gleich noch einmal versuchen."_s));
        return;
    }
    QNetworkRequest weiter(ziel.url);
    weiter.setRawHeader("Content-Type", anfrage.kopf("Content-Type"));
    if (!ziel.schluessel.isEmpty()) { // a local provider may need none
        weiter.setRawHeader("Authorization", "Bearer " + ziel.schluessel);
    }
    weiter.setTransferTimeout(grenzen_.fristMs);

    ++laufend_;
    QNetworkReply* antwort = netz().post(weiter, ziel.koerper);
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
    const bool jsonErwartet = unterpfad == u"chat/completions"_s;
    QObject::connect(
        antwort, &QNetworkReply::finished, antwort,
        [this, antwort, antworte, zuGross, jsonErwartet] {
            --laufend_;
            antwort->deleteLater();
            const QVariant status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            if (*zuGross) {
                antworte(Antwort::fehler(502, u"Die Antwort des Anbieters ist zu groß."_s));
            } else if (!status.isValid() ||
                       antwort->error() == QNetworkReply::OperationCanceledError) {
                antworte(AnbieterFehler::ohneAntwort(transportFehler(antwort->error()),
                                                     antwort->errorString()));
            } else {
                const QByteArray koerper = antwort->readAll();
                antworte(
                    AnbieterFehler::pruefe(status.toInt(), koerper, jsonErwartet)
                        .value_or(Antwort::text(
                            status.toInt(), koerper,
                            antwort->header(QNetworkRequest::ContentTypeHeader).toByteArray())));
            }
        });
}

} // namespace parlix
