#pragma once

#include "core/concurrency/MainQueue.hpp"

#include <QObject>

namespace parlix {

// The main queue on the Qt event loop of the thread that constructs it.
class QtMainQueue final : public MainQueue {
public:
    QtMainQueue();

    void post(std::function<void()> job) override;
    Zeitpunkt jetzt() const override;

protected:
    void planeNach(Dauer verzoegerung, std::function<void()> job) override;

private:
    QObject kontext_;
};

} // namespace parlix
