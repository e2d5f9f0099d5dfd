#include "core/concurrency/QtMainQueue.hpp"

#include <QThread>
#include <QTimer>

namespace parlix {

QtMainQueue::QtMainQueue() = default;

void QtMainQueue::post(std::function<void()> job) {
    QMetaObject::invokeMethod(&kontext_, std::move(job), Qt::QueuedConnection);
}

MainQueue::Zeitpunkt QtMainQueue::jetzt() const {
    return Uhr::now();
}

void QtMainQueue::planeNach(Dauer verzoegerung, std::function<void()> job) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(verzoegerung);
    auto starte = [this, ms, job = std::move(job)]() mutable {
        QTimer::singleShot(ms, Qt::PreciseTimer, &kontext_, std::move(job));
    };
    // Timers belong to the thread that starts them, so start it on the main thread.
    if (QThread::currentThread() == kontext_.thread()) {
        starte();
    } else {
        post(std::move(starte));
    }
}

} // namespace parlix
