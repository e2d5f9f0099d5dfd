#include "server/AnbieterWahl.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace parlix::AnbieterWahl {

namespace {

const QString transkriptionPfad = u"audio/transcriptions"_s;
// What the desktop client names its screenshot questions' model.
const QString visionWunsch = u"x"_s;

QUrl endpunkt(QUrl basis, const QString& unterpfad) {
    basis.setPath(basis.path().chopped(basis.path().endsWith(u'/') ? 1 : 0) + u'/' + unterpfad);
    return basis;
}

QByteArray grenzeAus(const QByteArray& contentType) {
    static const QRegularExpression muster(uR"re(boundary="?([^";]+)"?)re"_s);
    return muster.match(QString::fromLatin1(contentType)).captured(1).toLatin1();
}

// Makes image parts the object form and says whether there was one.
bool ordneBilder(QJsonArray& nachrichten) {
    bool bild = false;
    for (QJsonValueRef nachricht : nachrichten) {
        QJsonObject objekt = nachricht.toObject();
        QJsonArray teile = objekt.value(u"content"_s).toArray();
        for (QJsonValueRef teil : teile) {
            QJsonObject stueck = teil.toObject();
            if (stueck.value(u"type"_s).toString() != u"image_url"_s) {
                continue;
            }
            bild = true;
            if (stueck.value(u"image_url"_s).isString()) {
                stueck.insert(u"image_url"_s,
                              QJsonObject{{u"url"_s, stueck.value(u"image_url"_s)}});
                teil = stueck;
            }
        }
        if (!teile.isEmpty()) {
            objekt.insert(u"content"_s, teile);
            nachricht = objekt;
        }
    }
    return bild;
}

// The multipart body with the value of its "model" field replaced (or added first).
QByteArray mitModell(const QByteArray& multipart, const QByteArray& contentType,
                     const QString& modell) {
    const QByteArray grenze = grenzeAus(contentType);
    if (grenze.isEmpty()) {
        return multipart;
    }
    const QByteArray kopf = "Content-Disposition: form-data; name=\"model\"\r\n\r\n";
    const qsizetype anfang = multipart.indexOf(kopf);
    const qsizetype ende =
        anfang < 0 ? -1 : multipart.indexOf("\r\n--" + grenze, anfang + kopf.size());
    if (ende < 0) {
        return "--" + grenze + "\r\n" + kopf + modell.toUtf8() + "\r\n" + multipart;
    }
    const qsizetype wert = anfang + kopf.size();
    return QByteArray(multipart).replace(wert, ende - wert, modell.toUtf8());
}

// The chat request with "model" replaced by the role's model, or by its vision model when
// a message carries an image or the client asked for "x"; image parts given as a bare
// string become the {"url": ...} object providers expect.
QByteArray mitModell(const QByteArray& chat, const Anbieter::Rolle& rolle) {
    QJsonObject anfrage = QJsonDocument::fromJson(chat).object();
    if (anfrage.isEmpty()) {
        return chat; // not ours to judge: the provider says what is wrong with it
    }
    QJsonArray nachrichten = anfrage.value(u"messages"_s).toArray();
    const bool bild = ordneBilder(nachrichten);
    anfrage.insert(u"messages"_s, nachrichten);
    const bool vision = bild || anfrage.value(u"model"_s).toString() == visionWunsch;
    const QString modell =
        vision && !rolle.visionModell.isEmpty() ? rolle.visionModell : rolle.modell;
    if (!modell.isEmpty()) {
        anfrage.insert(u"model"_s, modell);
    }
    return QJsonDocument(anfrage).toJson(QJsonDocument::Compact);
}

} // namespace

std::variant<Ziel, Antwort> waehle(const QHash<QString, Relais::Upstream>& umgebung,
                                   const Anbieter& anbieter, const Anfrage& anfrage,
                                   const QString& unterpfad) {
    const QString backend = QString::fromUtf8(anfrage.kopf("X-Backend"));
    if (const auto upstream = umgebung.find(backend); upstream != umgebung.end()) {
        return Ziel{endpunkt(upstream->basis, unterpfad), upstream->schluessel, anfrage.koerper};
    }
    const bool transkription = unterpfad == transkriptionPfad;
    const std::optional<Anbieter::Rolle>& rolle =
        transkription ? anbieter.transkription : anbieter.sprache;
    if (!rolle) {
        // "grund" lets a client tell this apart from a provider that is merely busy.
        return Antwort::json(503, {{u"detail"_s, u"Kein Anbieter für \"%1\" eingerichtet."_s.arg(
                                                     backend.isEmpty() ? unterpfad : backend)},
                                   {u"grund"_s, u"keinAnbieter"_s}});
    }
    const QByteArray koerper =
        transkription
            ? (rolle->modell.isEmpty()
                   ? anfrage.koerper
                   : mitModell(anfrage.koerper, anfrage.kopf("Content-Type"), rolle->modell))
            : mitModell(anfrage.koerper, *rolle);
    return Ziel{endpunkt(rolle->basis, unterpfad), rolle->schluessel, koerper};
}

} // namespace parlix::AnbieterWahl
