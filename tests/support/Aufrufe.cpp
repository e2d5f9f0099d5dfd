#include "tests/support/Aufrufe.hpp"

namespace parlix::test {

void Aufrufe::notiere(const QString& aufruf) {
    std::lock_guard sperre(sperre_);
    liste_.append(aufruf);
}

QStringList Aufrufe::liste() const {
    std::lock_guard sperre(sperre_);
    return liste_;
}

qsizetype Aufrufe::anzahl(const QString& aufruf) const {
    return liste().count(aufruf);
}

QStringList Aufrufe::mit(const QString& praefix) const {
    QStringList treffer = liste();
    treffer.removeIf([&](const QString& aufruf) { return !aufruf.startsWith(praefix); });
    return treffer;
}

void Aufrufe::leere() {
    std::lock_guard sperre(sperre_);
    liste_.clear();
}

} // namespace parlix::test
