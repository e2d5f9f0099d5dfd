#include "core/services/GroqFehler.hpp"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix {

GroqFehler::GroqFehler(Fall fall, int status, const QString& text, const QString& beschreibung)
    : std::runtime_error(beschreibung.toStdString())
    , fall_(fall)
    , status_(status)
    , text_(text) {}

GroqFehler GroqFehler::http(int status, const QString& text, const QByteArray& koerper) {
    GroqFehler fehler{Fall::http, status, text, u"HTTP-Status %1: %2"_s.arg(status).arg(text)};
    const QJsonObject objekt = QJsonDocument::fromJson(koerper).object();
    fehler.grund_ = objekt.value(u"grund").toString();
    fehler.anbieterText_ = objekt.value(u"anbieterText").toString();
    return fehler;
}

GroqFehler GroqFehler::keinKey() {
    return {Fall::keinKey, 0, {}, u"weder Anmelde-Token noch Geräte-ID vorhanden"_s};
}

GroqFehler GroqFehler::ungueltigeAntwort() {
    return {Fall::ungueltigeAntwort, 0, {}, u"keine HTTP-Antwort"_s};
}

GroqFehler GroqFehler::keinJson(const QString& grund) {
    return {Fall::keinJson, 0, grund, u"Antwort ist kein JSON: "_s + grund};
}

} // namespace parlix
