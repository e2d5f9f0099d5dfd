#pragma once

#include "tests/support/server/Drehbuch.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QUrl>

namespace parlix::test {

// The reference server in scripted mode on a free loopback port, on its own thread:
// tests script answers through drehbuch() and may block on calls to it.
class TestServer {
public:
    TestServer();

    Drehbuch& drehbuch() { return drehbuch_; }
    // "http://127.0.0.1:<port>"
    QUrl basis() const { return faden_.basis(); }
    // basis() with the path, for example "/version".
    QUrl url(const QString& pfad) const;
    // TCP connections accepted so far.
    int verbindungen() const { return faden_.verbindungen(); }
    // Accepted connections that have closed since, from either side.
    int getrennt() const { return faden_.getrennt(); }

private:
    Drehbuch drehbuch_;
    ServerFaden faden_;
};

} // namespace parlix::test
