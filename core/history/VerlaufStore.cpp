#include "core/history/VerlaufStore.hpp"

#include "core/log/DateiLog.hpp"

#include <QJsonArray>
#include <QJsonDocument>

namespace parlix {

using namespace Qt::StringLiterals;

namespace {

std::optional<QList<VerlaufEintrag>> ausJson(const QByteArray& daten) {
    QJsonParseError fehler{};
    const QJsonDocument dokument = QJsonDocument::fromJson(daten, &fehler);
    if (fehler.error != QJsonParseError::NoError || !dokument.isArray()) {
        return std::nullopt;
    }
    QList<VerlaufEintrag> eintraege;
    const QJsonArray liste = dokument.array();
    for (const QJsonValue& element : liste) {
        auto eintrag = VerlaufEintrag::ausJson(element);
        if (!eintrag) {
            return std::nullopt;
        }
        eintraege.append(std::move(*eintrag));
    }
    return eintraege;
}

QByteArray alsJson(const QList<VerlaufEintrag>& eintraege) {
    QJsonArray liste;
    for (const VerlaufEintrag& eintrag : eintraege) {
        liste.append(eintrag.alsJson());
    }
    return QJsonDocument(liste).toJson(QJsonDocument::Compact);
}

} // namespace

VerlaufStore::VerlaufStore(DefaultsStore& speicher, QObject* parent)
    : QObject(parent)
    , speicher_(speicher) {
    lade();
}

void VerlaufStore::lade() {
    const auto wert = speicher_.objekt(schluessel);
    if (!wert) {
        return;
    }
    const auto* daten = std::get_if<QByteArray>(&*wert);
    const auto eintraege = daten ? ausJson(*daten) : std::nullopt;
    if (!eintraege) {
        beschaedigt_ = *wert;
        log().schreibe(
            u"FEHLER: Verlauf unlesbar → leer, wird vor dem nächsten Speichern gesichert"_s);
        return;
    }
    eintraege_ = *eintraege;
}

void VerlaufStore::hinzufuegen(const QString& art, const QString& text,
                               const std::optional<QString>& gesagt) {
    const QString getrimmt = text.trimmed();
    if (getrimmt.isEmpty()) {
        return;
    }
    eintraege_.prepend(VerlaufEintrag::erstelle(art, getrimmt, gesagt));
    if (eintraege_.size() > maximum) {
        eintraege_.resize(maximum);
    }
    sichere();
    emit eintraegeGeaendert();
}

void VerlaufStore::leeren() {
    eintraege_.clear();
    sichere();
    emit eintraegeGeaendert();
}

void VerlaufStore::sichere() {
    sichereBeschaedigtenWert();
    speicher_.setzeDaten(schluessel, alsJson(eintraege_));
}

void VerlaufStore::sichereBeschaedigtenWert() {
    if (!beschaedigt_) {
        return;
    }
    QString ziel = sicherungsSchluessel;
    const auto frueher = speicher_.objekt(ziel);
    if (frueher && *frueher != *beschaedigt_) {
        ziel += u'-' + QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss-zzz"_s);
    }
    speicher_.setze(ziel, *beschaedigt_);
    beschaedigt_.reset();
    log().schreibe(u"Unlesbarer Verlauf gesichert unter "_s + ziel);
}

} // namespace parlix
