#include <QCoreApplication>
#include <benchmark/benchmark.h>

// One main for every benchmark program: the benchmarks that talk to the loopback server
// or the stream's network thread need Qt's event machinery, and it costs the others
// nothing.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
