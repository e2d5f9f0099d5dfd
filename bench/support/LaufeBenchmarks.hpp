#pragma once

#include <benchmark/benchmark.h>

namespace parlix::bench {

// Google Benchmark's command line and run; what follows the Qt application in each main.
inline int laufeBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace parlix::bench
