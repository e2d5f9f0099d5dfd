// Any bytes as the settings file: never a crash; an entry is either read or named as
// unreadable; and what was read, written again, reads back the same and whole.
#include "core/settings/DateiDefaultsStore.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::DateiDefaultsStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QByteArray datei(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
    const auto gelesen = DateiDefaultsStore::ausJson(datei);
    if (!gelesen) {
        return 0;
    }
    for (const QString& schluessel : gelesen->unlesbar) {
        if (gelesen->werte.contains(schluessel)) {
            std::abort();
        }
    }
    const auto wieder = DateiDefaultsStore::ausJson(DateiDefaultsStore::alsJson(gelesen->werte));
    if (!wieder || !wieder->unlesbar.isEmpty() || wieder->werte != gelesen->werte) {
        std::abort();
    }
    return 0;
}
