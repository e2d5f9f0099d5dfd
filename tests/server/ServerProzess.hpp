#pragma once

#include "app/platform/KindProzess.hpp"

#include <QStringList>
#include <memory>
#include <optional>

namespace parlix::test {

// The parlix-server program as a child process on a free loopback port, optionally
// behind a wrapper such as prlimit, and optionally with standard input from the test:
// then `ersteZeile` is written before the server is awaited.
class ServerProzess {
public:
    ServerProzess(const QStringList& argumente, const QStringList& davor = {},
                  const std::optional<QByteArray>& ersteZeile = std::nullopt);
    ~ServerProzess();
    ServerProzess(const ServerProzess&) = delete;
    ServerProzess& operator=(const ServerProzess&) = delete;

    // 0 when it did not come up.
    quint16 port() const { return port_; }
    qint64 pid() const { return prozess_->pid(); }
    KindProzess& prozess() { return *prozess_; }
    // Its standard error so far.
    QString fehler() const;
    // Only with standard input from the test.
    void schreibe(const QByteArray& zeile);
    void schliesseEingabe();

private:
    // Opens the writing end of the pipe once the child has opened its end; -1 if it
    // never does.
    static int oeffneEingabe(const QString& pfad);

    QString fehlerDatei_;
    QString eingabePfad_;
    int eingabe_ = -1;
    std::unique_ptr<KindProzess> prozess_;
    quint16 port_ = 0;
};

} // namespace parlix::test
