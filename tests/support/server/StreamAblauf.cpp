#include "tests/support/server/StreamAblauf.hpp"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QByteArray json(const QString& name, const QJsonValue& wert) {
    return QJsonDocument(QJsonObject{{name, wert}}).toJson(QJsonDocument::Compact);
}

} // namespace

StreamAblauf& StreamAblauf::fuegeAn(Schritt::Art art, const std::function<void(Schritt&)>& fuelle) {
    Schritt schritt;
    schritt.art = art;
    if (fuelle) {
        fuelle(schritt);
    }
    schritte_.append(std::move(schritt));
    return *this;
}

StreamAblauf& StreamAblauf::sendeDelta(const QString& teil) {
    return sendeText(json(u"delta"_s, teil));
}

StreamAblauf& StreamAblauf::sendeFinal(const QString& transkript) {
    return sendeText(json(u"final"_s, transkript));
}

StreamAblauf& StreamAblauf::sendeFehler(const QJsonValue& wert) {
    return sendeText(json(u"error"_s, wert));
}

StreamAblauf& StreamAblauf::sendeText(const QByteArray& utf8) {
    return fuegeAn(Schritt::Art::text, [&](Schritt& s) { s.daten = utf8; });
}

StreamAblauf& StreamAblauf::sendeBinaer(const QByteArray& daten) {
    return fuegeAn(Schritt::Art::binaer, [&](Schritt& s) { s.daten = daten; });
}

StreamAblauf& StreamAblauf::warte(std::chrono::milliseconds dauer) {
    return fuegeAn(Schritt::Art::pause, [&](Schritt& s) { s.dauer = dauer; });
}

StreamAblauf& StreamAblauf::warteAufChunks(qsizetype anzahl) {
    return fuegeAn(Schritt::Art::aufChunks, [&](Schritt& s) { s.anzahl = anzahl; });
}

StreamAblauf& StreamAblauf::warteAufEnde() {
    return fuegeAn(Schritt::Art::aufEnde);
}

StreamAblauf& StreamAblauf::schliesse(QWebSocketProtocol::CloseCode code, const QString& grund) {
    return fuegeAn(Schritt::Art::schliessen, [&](Schritt& s) {
        s.daten = grund.toUtf8();
        s.code = code;
    });
}

StreamAblauf& StreamAblauf::trenne() {
    return fuegeAn(Schritt::Art::trennen);
}

} // namespace parlix
