#include "tests/support/SteuerbareTastenQuelle.hpp"

#include "core/hotkeys/Ereignistyp.hpp"

namespace parlix::test {

void SteuerbareTastenQuelle::starte(Behandler behandler, Bereit bereit) {
    behandler_ = std::move(behandler);
    bereit(true);
}

bool SteuerbareTastenQuelle::druecke(quint32 typ, qint64 keyCode, quint64 flags) {
    return behandler_ && behandler_(typ, keyCode, flags);
}

void SteuerbareTastenQuelle::tippe(qint64 keyCode, quint64 flags) {
    druecke(Ereignistyp::tasteRunter, keyCode, flags);
    druecke(Ereignistyp::tasteHoch, keyCode, flags);
}

} // namespace parlix::test
