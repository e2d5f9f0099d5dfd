#pragma once

#include "tests/app/platform/wayland/FakePortal.hpp"

#include <QDBusConnection>
#include <QThread>
#include <memory>
#include <optional>

namespace parlix::test {

// A portal played by the test, on a thread of its own, and Parlix's connection to it,
// both on the session bus of this process (a private one: a test's headless desktop
// starts it). The connections are named after `name`; the names are free again once the
// object is gone, for the next test's bus.
class PortalBus {
public:
    explicit PortalBus(QString name);
    ~PortalBus();
    PortalBus(const PortalBus&) = delete;
    PortalBus& operator=(const PortalBus&) = delete;

    // Starts the portal `P`, built from its connection and `argumente`.
    template <typename P, typename... A> P& starte(A&&... argumente) {
        auto portal =
            std::make_unique<P>(verbinde(QStringLiteral("-portal")), std::forward<A>(argumente)...);
        P& es = *portal;
        laufe(std::move(portal));
        return es;
    }
    // Ends the portal: then there is none on the bus.
    void beende();

    QDBusConnection& parlix() { return *parlix_; }

private:
    QDBusConnection verbinde(const QString& rolle) const;
    void laufe(std::unique_ptr<FakePortal> portal);

    QString name_;
    QThread faden_;
    std::unique_ptr<FakePortal> portal_;
    std::optional<QDBusConnection> parlix_;
};

} // namespace parlix::test
