#include "core/util/JsonFeld.hpp"

#include <QJsonValue>
#include <cmath>

namespace parlix::JsonFeld {

std::optional<QString> text(const QJsonObject& objekt, const QString& schluessel) {
    const QJsonValue wert = objekt.value(schluessel);
    if (!wert.isString()) {
        return std::nullopt;
    }
    return wert.toString();
}

std::optional<bool> flag(const QJsonObject& objekt, const QString& schluessel) {
    const QJsonValue wert = objekt.value(schluessel);
    if (!wert.isBool()) {
        return std::nullopt;
    }
    return wert.toBool();
}

std::optional<qint64> ganzzahl(const QJsonObject& objekt, const QString& schluessel) {
    const QJsonValue wert = objekt.value(schluessel);
    if (!wert.isDouble()) {
        return std::nullopt;
    }
    const double d = wert.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d)) {
        return std::nullopt;
    }
    // toInteger() falls back to its argument for numbers beyond qint64; asking with two
    // different fallbacks tells such a number apart from a stored value.
    const qint64 a = wert.toInteger(0);
    if (a != wert.toInteger(1)) {
        return std::nullopt;
    }
    return a;
}

std::optional<QUuid> uuid(const QJsonObject& objekt, const QString& schluessel) {
    const auto wert = text(objekt, schluessel);
    if (!wert || wert->size() != 36) {
        return std::nullopt;
    }
    const QUuid gelesen = QUuid::fromString(*wert);
    // fromString also answers a null UUID for text it cannot parse; reading it back
    // tells that apart from the genuine nil UUID.
    if (gelesen.toString(QUuid::WithoutBraces) != wert->toLower()) {
        return std::nullopt;
    }
    return gelesen;
}

QString uuidText(const QUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace parlix::JsonFeld
