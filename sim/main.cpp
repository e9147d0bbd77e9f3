// quorvel-sim: the bench host. Loads the QuorvelMFD module as the host
// does and flies the built-in flight with the page open; on Linux, live
// in a window or into a video, too.

#include <iostream>

#include "sim/bench/BenchOptions.h"
#include "sim/bench/BenchRun.h"
#ifndef _WIN32
#include "sim/live/LiveExtensions.h"
#endif

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto options = quorvel::sim::ParseBenchOptions(argc, argv, exitCode);
    if (!options) return exitCode;
#ifdef _WIN32
    return quorvel::sim::RunBench(*options, std::cout);
#else
    return quorvel::sim::RunBench(*options, std::cout, quorvel::sim::LiveExtensions());
#endif
}
