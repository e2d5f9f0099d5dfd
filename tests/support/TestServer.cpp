#include "tests/support/TestServer.hpp"

namespace parlix::test {

TestServer::TestServer()
    : faden_(drehbuch_) {}

QUrl TestServer::url(const QString& pfad) const {
    QUrl ergebnis = basis();
    ergebnis.setPath(pfad);
    return ergebnis;
}

} // namespace parlix::test
