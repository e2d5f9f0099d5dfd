#include "bench/support/LaufeBenchmarks.hpp"
#include "tests/support/ProzessDesktop.hpp"

#include <QApplication>
#include <cstdio>

// The main of the benchmarks that need a desktop (clipboard, accessibility, windows): a
// headless desktop for the whole run, then the QApplication on it.
int main(int argc, char** argv) {
    parlix::test::KopflosesDesktop desktop;
    if (!desktop.laeuft()) {
        std::fprintf(stderr, "headless desktop: %s\n", qPrintable(desktop.fehler()));
        return 1;
    }
    parlix::test::setzeProzessDesktop(desktop);
    QApplication app(argc, argv);
    return parlix::bench::laufeBenchmarks(argc, argv);
}
