#include "tests/app/platform/wayland/PortalBus.hpp"

using namespace Qt::StringLiterals;

namespace parlix::test {

PortalBus::PortalBus(QString name)
    : name_(std::move(name)) {
    parlix_.emplace(verbinde(u"-parlix"_s));
}

PortalBus::~PortalBus() {
    beende();
    parlix_.reset();
    QDBusConnection::disconnectFromBus(name_ + u"-portal"_s);
    QDBusConnection::disconnectFromBus(name_ + u"-parlix"_s);
}

QDBusConnection PortalBus::verbinde(const QString& rolle) const {
    return QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
                                         name_ + rolle);
}

void PortalBus::laufe(std::unique_ptr<FakePortal> portal) {
    portal_ = std::move(portal);
    portal_->moveToThread(&faden_);
    faden_.start();
}

void PortalBus::beende() {
    faden_.quit();
    faden_.wait();
    portal_.reset();
}

} // namespace parlix::test
