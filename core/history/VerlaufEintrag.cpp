#include "core/history/VerlaufEintrag.hpp"

#include <QJsonValue>
#include <cmath>

namespace parlix {

namespace {

// 2001-01-01 00:00:00 UTC in milliseconds since the Unix epoch.
constexpr qint64 referenzMs = 978307200000;
// Far beyond any real date, yet small enough that milliseconds fit in 64 bits.
constexpr double grenzeSekunden = 1e13;

double alsReferenzSekunden(const QDateTime& datum) {
    return static_cast<double>(datum.toMSecsSinceEpoch() - referenzMs) / 1000.0;
}

std::optional<QDateTime> ausReferenzSekunden(double sekunden) {
    if (!std::isfinite(sekunden) || std::abs(sekunden) > grenzeSekunden) {
        return std::nullopt;
    }
    const qint64 ms = std::llround(sekunden * 1000.0) + referenzMs;
    const QDateTime datum = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return datum.isValid() ? std::optional(datum) : std::nullopt;
}

// Only the 36-character form with hyphens, in either case, as the stored form is read.
std::optional<QUuid> uuidAus(const QString& text) {
    const QUuid id = QUuid::fromString(text);
    const bool nullUuid = text == QUuid().toString(QUuid::WithoutBraces);
    if (text.size() != 36 || (id.isNull() && !nullUuid)) {
        return std::nullopt;
    }
    return id;
}

} // namespace

VerlaufEintrag VerlaufEintrag::erstelle(QString art, QString text, std::optional<QString> gesagt) {
    // The stored form keeps milliseconds; the entry in memory keeps no more.
    const QDateTime jetzt =
        QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch(), Qt::UTC);
    return {QUuid::createUuid(), jetzt, std::move(art), std::move(text), std::move(gesagt)};
}

QJsonObject VerlaufEintrag::alsJson() const {
    QJsonObject json{{QStringLiteral("id"), id.toString(QUuid::WithoutBraces).toUpper()},
                     {QStringLiteral("datum"), alsReferenzSekunden(datum)},
                     {QStringLiteral("art"), art},
                     {QStringLiteral("text"), text}};
    if (gesagt) {
        json.insert(QStringLiteral("gesagt"), *gesagt);
    }
    return json;
}

std::optional<VerlaufEintrag> VerlaufEintrag::ausJson(const QJsonValue& json) {
    const QJsonObject o = json.toObject();
    const QJsonValue id = o.value(QStringLiteral("id"));
    const QJsonValue datum = o.value(QStringLiteral("datum"));
    const QJsonValue art = o.value(QStringLiteral("art"));
    const QJsonValue text = o.value(QStringLiteral("text"));
    const QJsonValue gesagt = o.value(QStringLiteral("gesagt"));
    if (!id.isString() || !datum.isDouble() || !art.isString() || !text.isString() ||
        !(gesagt.isUndefined() || gesagt.isNull() || gesagt.isString())) {
        return std::nullopt;
    }
    const auto uuid = uuidAus(id.toString());
    const auto zeit = ausReferenzSekunden(datum.toDouble());
    if (!uuid || !zeit) {
        return std::nullopt;
    }
    return VerlaufEintrag{*uuid, *zeit, art.toString(), text.toString(),
                          gesagt.isString() ? std::optional(gesagt.toString()) : std::nullopt};
}

} // namespace parlix
