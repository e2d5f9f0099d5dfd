#include "bench/support/LaufeBenchmarks.hpp"

#include <QCoreApplication>

// One main for every benchmark program: the benchmarks that talk to the loopback server
// or the stream's network thread need Qt's event machinery, and it costs the others
// nothing.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return parlix::bench::laufeBenchmarks(argc, argv);
}
