// Any body a server may send as a chat answer: never a crash, and the answer is
// either empty or trimmed.
#include "core/services/GroqChat.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QByteArray koerper(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
    const QString inhalt = parlix::GroqChat::inhalt(koerper);
    if (inhalt != inhalt.trimmed()) {
        std::abort();
    }
    return 0;
}
