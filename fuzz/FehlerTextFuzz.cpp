// Any body of a failed service call: the error text is either empty or exactly the first
// 300 bytes read as UTF-8 (a byte order mark at the start aside), never more.
#include "core/services/GroqVerbindung.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::GroqVerbindung;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QByteArray koerper(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
    const QString text = GroqVerbindung::fehlerText(koerper);
    if (text.isEmpty()) {
        return 0;
    }
    QByteArray anfang = koerper.left(300);
    if (anfang.startsWith("\xEF\xBB\xBF")) {
        anfang.remove(0, 3);
    }
    if (text.toUtf8() != anfang) {
        std::abort();
    }
    return 0;
}
