#include "tests/support/QtWarten.hpp"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace parlix::test {

bool warteQt(const std::function<bool()>& bedingung, std::chrono::milliseconds frist) {
    const QDeadlineTimer ende(frist);
    while (!bedingung()) {
        if (ende.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

} // namespace parlix::test
