#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"

#include "tests/support/QtWarten.hpp"

#include <map>

namespace parlix::test {

bool hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                      std::chrono::milliseconds frist) {
    static std::map<KindProzess*, QByteArray> gelesen;
    QByteArray& puffer = gelesen[&programm];
    return warteQt(
        [&] {
            puffer += programm.lies(std::chrono::milliseconds(10));
            return puffer.split('\n').contains(erwartet.toUtf8());
        },
        frist);
}

} // namespace parlix::test
