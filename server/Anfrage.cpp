#include "server/Anfrage.hpp"

namespace parlix {

namespace {

const QPair<QByteArray, QByteArray>* finde(const Anfrage& anfrage, const QByteArray& name) {
    for (const auto& kopf : anfrage.kopfzeilen) {
        if (kopf.first.compare(name, Qt::CaseInsensitive) == 0) {
            return &kopf;
        }
    }
    return nullptr;
}

} // namespace

QByteArray Anfrage::kopf(const QByteArray& name) const {
    const auto* gefunden = finde(*this, name);
    return gefunden != nullptr ? gefunden->second : QByteArray();
}

bool Anfrage::hatKopf(const QByteArray& name) const {
    return finde(*this, name) != nullptr;
}

} // namespace parlix
