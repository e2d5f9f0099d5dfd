#include "app/start/NullFensterSteuerung.hpp"

#include "core/log/DateiLog.hpp"

namespace parlix {

void NullFensterSteuerung::melde(const QString& fenster) {
    log().schreibe(QStringLiteral("Fenster nicht verfügbar: ") + fenster);
}

} // namespace parlix
