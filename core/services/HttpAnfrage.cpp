#include "core/services/HttpAnfrage.hpp"

namespace parlix {

namespace {

bool gleicherName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QByteArray kopfWert(const Kopfzeilen& kopfzeilen, const QByteArray& name) {
    for (const auto& [schluessel, wert] : kopfzeilen) {
        if (gleicherName(schluessel, name)) {
            return wert;
        }
    }
    return {};
}

void HttpAnfrage::setzeKopf(const QByteArray& name, const QByteArray& wert) {
    kopfzeilen.removeIf([&](const auto& kopf) { return gleicherName(kopf.first, name); });
    kopfzeilen.append({name, wert});
}

} // namespace parlix
