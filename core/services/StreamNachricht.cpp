#include "core/services/StreamNachricht.hpp"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix {

StreamNachricht StreamNachricht::aus(const QString& nachricht) {
    const QJsonDocument dokument = QJsonDocument::fromJson(nachricht.toUtf8());
    if (!dokument.isObject()) {
        return {};
    }
    const QJsonObject objekt = dokument.object();
    if (const QJsonValue delta = objekt.value(u"delta"_s); delta.isString()) {
        return {Art::delta, delta.toString()};
    }
    if (const QJsonValue schluss = objekt.value(u"final"_s); schluss.isString()) {
        return {Art::final, schluss.toString()};
    }
    if (objekt.contains(u"error"_s)) {
        return {Art::fehler, {}};
    }
    return {};
}

} // namespace parlix
