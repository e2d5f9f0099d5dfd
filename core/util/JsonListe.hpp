#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <optional>

namespace parlix::JsonListe {

// A JSON array of objects, each written by T::alsJson().
template <class T> QByteArray alsJson(const QList<T>& liste) {
    QJsonArray feld;
    for (const T& element : liste) {
        feld.append(element.alsJson());
    }
    return QJsonDocument(feld).toJson(QJsonDocument::Compact);
}

// All or nothing: one element that T::ausJson() rejects makes the whole list unreadable,
// so that a caller never works with half a list.
template <class T> std::optional<QList<T>> ausJson(const QByteArray& json) {
    const QJsonDocument dokument = QJsonDocument::fromJson(json);
    if (!dokument.isArray()) {
        return std::nullopt;
    }
    QList<T> liste;
    for (const auto& wert : dokument.array()) {
        if (!wert.isObject()) {
            return std::nullopt;
        }
        auto element = T::ausJson(wert.toObject());
        if (!element) {
            return std::nullopt;
        }
        liste.append(std::move(*element));
    }
    return liste;
}

} // namespace parlix::JsonListe
