#include "server/Antwort.hpp"

#include <QJsonDocument>
#include <QString>

namespace parlix {

Antwort Antwort::text(int status, const QByteArray& koerper, const QByteArray& typ) {
    Antwort antwort;
    antwort.status = status;
    antwort.kopfzeilen = {{QByteArrayLiteral("Content-Type"), typ}};
    antwort.koerper = koerper;
    return antwort;
}

Antwort Antwort::json(int status, const QJsonObject& objekt) {
    return text(status, QJsonDocument(objekt).toJson(QJsonDocument::Compact),
                QByteArrayLiteral("application/json"));
}

Antwort Antwort::fehler(int status, const QString& detail) {
    return json(status, QJsonObject{{QStringLiteral("detail"), detail}});
}

Antwort Antwort::roheBytes(const QByteArray& bytes) {
    Antwort antwort;
    antwort.art = Art::roh;
    antwort.koerper = bytes;
    return antwort;
}

Antwort Antwort::getrennt() {
    Antwort antwort;
    antwort.art = Art::trennen;
    return antwort;
}

Antwort Antwort::nie() {
    Antwort antwort;
    antwort.art = Art::schweigen;
    return antwort;
}

Antwort Antwort::stueckweise(int status, const QByteArray& typ,
                             std::shared_ptr<AntwortStrom> strom) {
    Antwort antwort = text(status, {}, typ);
    antwort.art = Art::strom;
    antwort.strom = std::move(strom);
    return antwort;
}

Antwort Antwort::nach(std::chrono::milliseconds verzoegerung) const {
    Antwort antwort = *this;
    antwort.verzoegerung = verzoegerung;
    return antwort;
}

QByteArray Antwort::kopf() const {
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n";
    bool laengeGesetzt = false;
    for (const auto& [name, wert] : kopfzeilen) {
        bytes += name + ": " + wert + "\r\n";
        laengeGesetzt = laengeGesetzt || name.compare("Content-Length", Qt::CaseInsensitive) == 0 ||
                        name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0;
    }
    if (!laengeGesetzt && art != Art::strom) { // a stream states its framing itself
        bytes += "Content-Length: " + QByteArray::number(koerper.size()) + "\r\n";
    }
    return bytes + "\r\n";
}

} // namespace parlix
