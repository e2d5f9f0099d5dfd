#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <map>

namespace parlix::test {

bool laufeBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist) {
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > frist.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                      std::chrono::milliseconds frist) {
    static std::map<KindProzess*, QByteArray> gelesen;
    QByteArray& puffer = gelesen[&programm];
    return laufeBis(
        [&] {
            puffer += programm.lies(std::chrono::milliseconds(10));
            return puffer.split('\n').contains(erwartet.toUtf8());
        },
        frist);
}

} // namespace parlix::test
