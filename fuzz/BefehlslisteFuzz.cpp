// Any bytes as the stored command list: never a crash, and a list that is read writes
// back to the same list.
#include "core/text/Befehl.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::Befehl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto liste = Befehl::listeAusJson(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse)));
    if (liste && Befehl::listeAusJson(Befehl::listeAlsJson(*liste)) != liste) {
        std::abort();
    }
    return 0;
}
