// Any bytes as the stored history: never a crash, and every entry that is read writes
// back to the same entry.
#include "core/history/VerlaufEintrag.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdint>
#include <cstdlib>

using parlix::VerlaufEintrag;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QJsonDocument dokument = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse)));
    for (const QJsonValue& element : dokument.array()) {
        const auto eintrag = VerlaufEintrag::ausJson(element);
        if (!eintrag) {
            continue;
        }
        // Through the bytes, as the store keeps them.
        const QByteArray bytes = QJsonDocument(QJsonArray{eintrag->alsJson()}).toJson();
        const auto wieder = VerlaufEintrag::ausJson(QJsonDocument::fromJson(bytes).array().at(0));
        if (!wieder || *wieder != *eintrag) {
            std::abort();
        }
    }
    return 0;
}
