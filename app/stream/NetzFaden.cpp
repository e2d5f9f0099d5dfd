#include "app/stream/NetzFaden.hpp"

#include <QThread>
#include <future>

namespace parlix {

// The root object is built, used and destroyed inside run(), so the sockets below it
// belong to this thread from birth to death.
class NetzFaden::Faden final : public QThread {
public:
    Faden() { setObjectName(QStringLiteral("EU-Stream")); }

    void starte() {
        std::future<void> bereit = bereit_.get_future();
        start();
        bereit.get();
    }

    QObject* wurzel_ = nullptr;

protected:
    void run() override {
        QObject wurzel;
        wurzel_ = &wurzel;
        bereit_.set_value();
        exec();
    }

private:
    std::promise<void> bereit_;
};

NetzFaden::NetzFaden()
    : faden_(std::make_unique<Faden>()) {
    faden_->starte();
}

NetzFaden::~NetzFaden() {
    faden_->quit();
    faden_->wait();
}

void NetzFaden::post(std::function<void()> job) {
    QMetaObject::invokeMethod(faden_->wurzel_, std::move(job), Qt::QueuedConnection);
}

QObject& NetzFaden::wurzel() {
    return *faden_->wurzel_;
}

} // namespace parlix
