#include "tests/support/TestServer.hpp"

namespace parlix::test {

namespace {

// Scripted answers stand in for any server under any path, so every path takes the
// large bodies (recordings) that the relay path takes.
ServerGrenzen grenzen() {
    ServerGrenzen grenzen;
    grenzen.maxKoerper = grenzen.maxKoerperGross;
    return grenzen;
}

} // namespace

TestServer::TestServer()
    : faden_(drehbuch_, grenzen()) {}

QUrl TestServer::url(const QString& pfad) const {
    QUrl ergebnis = basis();
    ergebnis.setPath(pfad);
    return ergebnis;
}

} // namespace parlix::test
