#pragma once

#include "app/platform/KindProzess.hpp"

#include <QStringList>
#include <memory>

namespace parlix::test {

// The parlix-server program as a child process on a free loopback port, optionally
// behind a wrapper such as prlimit.
class ServerProzess {
public:
    ServerProzess(const QStringList& argumente, const QStringList& davor = {});
    ~ServerProzess();
    ServerProzess(const ServerProzess&) = delete;
    ServerProzess& operator=(const ServerProzess&) = delete;

    // 0 when it did not come up.
    quint16 port() const { return port_; }
    qint64 pid() const { return prozess_->pid(); }
    KindProzess& prozess() { return *prozess_; }
    // Its standard error so far.
    QString fehler() const;

private:
    QString fehlerDatei_;
    std::unique_ptr<KindProzess> prozess_;
    quint16 port_ = 0;
};

} // namespace parlix::test
