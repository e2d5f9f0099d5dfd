#include "server/Drossel.hpp"

namespace parlix {

Drossel::Drossel(Drosselgrenze grenze, qsizetype maxSchluessel)
    : grenze_(grenze)
    , maxSchluessel_(maxSchluessel) {}

std::optional<qint64> Drossel::zaehle(const QString& schluessel, qint64 jetztMs) {
    auto eintrag = fenster_.find(schluessel);
    if (eintrag == fenster_.end()) {
        if (fenster_.size() >= maxSchluessel_) {
            fenster_.removeIf(
                [&](const auto& e) { return e.value().beginn + grenze_.fensterMs <= jetztMs; });
        }
        if (fenster_.size() >= maxSchluessel_) {
            return grenze_.fensterMs;
        }
        eintrag = fenster_.insert(schluessel, {jetztMs, 0});
    }
    if (eintrag->beginn + grenze_.fensterMs <= jetztMs) {
        *eintrag = {jetztMs, 0};
    }
    if (++eintrag->anzahl > grenze_.anzahl) {
        return eintrag->beginn + grenze_.fensterMs - jetztMs;
    }
    return std::nullopt;
}

} // namespace parlix
