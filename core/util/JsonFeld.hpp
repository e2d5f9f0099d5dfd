#pragma once

#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <optional>

namespace parlix {

// Strict reads of one required field of a JSON object: a missing key or a value of
// another type yields nothing, so that the caller can reject the whole object.
namespace JsonFeld {

std::optional<QString> text(const QJsonObject& objekt, const QString& schluessel);
std::optional<bool> flag(const QJsonObject& objekt, const QString& schluessel);
// A whole number; 59 and 59.0 are accepted, 59.5 and "59" are not.
std::optional<qint64> ganzzahl(const QJsonObject& objekt, const QString& schluessel);
// A UUID in its 36-character textual form, either case.
std::optional<QUuid> uuid(const QJsonObject& objekt, const QString& schluessel);

// The canonical upper-case textual form, "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
QString uuidText(const QUuid& uuid);

} // namespace JsonFeld

} // namespace parlix
