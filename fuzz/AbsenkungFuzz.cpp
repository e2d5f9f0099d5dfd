// Any bytes as the saved output volume: never a crash; a record that is read is
// plausible (channels that match, within the server's limits) and writes back to the
// same record.
#include "app/platform/pulse/Absenkung.hpp"

#include <cstdint>
#include <cstdlib>

using parlix::Absenkung;

namespace {

bool gleich(const Absenkung& a, const Absenkung& b) {
    return a.senke == b.senke && a.art == b.art && a.vorher == b.vorher && a.gesetzt == b.gesetzt &&
           a.warStumm == b.warStumm;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto absenkung = Absenkung::ausJson(
        QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse)));
    if (!absenkung) {
        return 0;
    }
    if (absenkung->senke.isEmpty() || absenkung->vorher.size() != absenkung->gesetzt.size() ||
        absenkung->vorher.size() > 32) {
        std::abort();
    }
    const auto wieder = Absenkung::ausJson(absenkung->alsJson());
    if (!wieder || !gleich(*wieder, *absenkung)) {
        std::abort();
    }
    return 0;
}
