#include "tests/support/GesetzteUmgebung.hpp"

#include <QtGlobal>

namespace parlix::test {

GesetzteUmgebung::~GesetzteUmgebung() {
    for (auto eintrag = vorher_.rbegin(); eintrag != vorher_.rend(); ++eintrag) {
        if (eintrag->second) {
            qputenv(eintrag->first.constData(), *eintrag->second);
        } else {
            qunsetenv(eintrag->first.constData());
        }
    }
}

void GesetzteUmgebung::merke(const char* name) {
    vorher_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                               : std::nullopt);
}

void GesetzteUmgebung::setze(const char* name, const QByteArray& wert) {
    merke(name);
    qputenv(name, wert);
}

void GesetzteUmgebung::entferne(const char* name) {
    merke(name);
    qunsetenv(name);
}

} // namespace parlix::test
