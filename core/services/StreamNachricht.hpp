#pragma once

#include <QString>

namespace parlix {

// One text message from the stream server, read by its members in the order "delta"
// (a string), "final" (a string), "error" (any value); the first that applies decides.
// Anything else, JSON or not, is `unbekannt` and ignored.
struct StreamNachricht {
    enum class Art { delta, final, fehler, unbekannt };

    Art art = Art::unbekannt;
    QString text; // the partial text or the final transcript

    static StreamNachricht aus(const QString& nachricht);
};

} // namespace parlix
