#include "tests/support/ProzessDesktop.hpp"

namespace parlix::test {

namespace {
KopflosesDesktop* desktop = nullptr;
} // namespace

KopflosesDesktop& prozessDesktop() {
    return *desktop;
}

void setzeProzessDesktop(KopflosesDesktop& neuer) {
    desktop = &neuer;
}

} // namespace parlix::test
