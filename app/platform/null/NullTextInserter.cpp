#include "app/platform/null/NullTextInserter.hpp"

#include "core/log/DateiLog.hpp"

#include <QClipboard>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace parlix {

void NullTextInserter::fuegeEin(const QString& text, Rueckmeldung fertig) {
    QGuiApplication::clipboard()->setText(text);
    log().schreibe(u"FEHLER: Einfügen nicht möglich, Text liegt in der Zwischenablage"_s);
    if (fertig) {
        fertig(Ergebnis::nurKopiert);
    }
}

} // namespace parlix
