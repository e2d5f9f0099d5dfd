// Any text message from the stream server: never a crash, and a partial or final text
// that is read comes back the same from a message that carries only it.
#include "core/services/StreamNachricht.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <cstdlib>

using parlix::StreamNachricht;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const StreamNachricht nachricht = StreamNachricht::aus(QString::fromUtf8(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse))));
    if (nachricht.art != StreamNachricht::Art::delta &&
        nachricht.art != StreamNachricht::Art::final) {
        if (!nachricht.text.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const QString schluessel = nachricht.art == StreamNachricht::Art::delta
                                   ? QStringLiteral("delta")
                                   : QStringLiteral("final");
    const QByteArray allein = QJsonDocument(QJsonObject{{schluessel, nachricht.text}}).toJson();
    const StreamNachricht wieder = StreamNachricht::aus(QString::fromUtf8(allein));
    if (wieder.art != nachricht.art || wieder.text != nachricht.text) {
        std::abort();
    }
    return 0;
}
