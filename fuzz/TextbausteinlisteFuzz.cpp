// Any bytes as the stored snippet list: never a crash, and a list that is read writes
// back to the same list.
#include "core/text/Textbaustein.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::Textbaustein;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto liste = Textbaustein::listeAusJson(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse)));
    if (liste && Textbaustein::listeAusJson(Textbaustein::listeAlsJson(*liste)) != liste) {
        std::abort();
    }
    return 0;
}
