#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"

#include "tests/support/QtWarten.hpp"

#include <map>

namespace parlix::test {

::testing::AssertionResult hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                                            std::chrono::milliseconds frist) {
    static std::map<KindProzess*, QByteArray> gelesen;
    QByteArray& puffer = gelesen[&programm];
    if (warteQt(
            [&] {
                puffer += programm.lies(std::chrono::milliseconds(10));
                return puffer.split('\n').contains(erwartet.toUtf8());
            },
            frist)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "printed: " << puffer.toStdString();
}

} // namespace parlix::test
