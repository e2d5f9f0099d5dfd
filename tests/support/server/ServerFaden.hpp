#pragma once

#include "server/ServerGrenzen.hpp"

#include <QHostAddress>
#include <QUrl>
#include <memory>

namespace parlix {

class Behandler;

// Runs a ReferenzServer on a thread of its own with its own event loop, so that code
// on the creating thread may block on calls to it (tests, benchmarks).
class ServerFaden {
public:
    // Listens on the address; port 0 picks a free one. Throws std::runtime_error when
    // it cannot listen.
    explicit ServerFaden(Behandler& behandler,
                         const QHostAddress& adresse = QHostAddress::LocalHost, quint16 port = 0,
                         ServerGrenzen grenzen = {});
    ServerFaden(Behandler& behandler, ServerGrenzen grenzen)
        : ServerFaden(behandler, QHostAddress::LocalHost, 0, std::move(grenzen)) {}
    ~ServerFaden();
    ServerFaden(const ServerFaden&) = delete;
    ServerFaden& operator=(const ServerFaden&) = delete;

    quint16 port() const;
    // "http://127.0.0.1:<port>"
    QUrl basis() const;
    // TCP connections accepted so far.
    int verbindungen() const;
    // Accepted connections that have closed since.
    int getrennt() const;

private:
    class Faden;
    std::unique_ptr<Faden> faden_;
};

} // namespace parlix
