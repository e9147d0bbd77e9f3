// quorvel-sim: the bench host. Loads the QuorvelMFD module as the host
// does and flies the built-in flight with the page open.

#include <iostream>

#include "sim/bench/BenchOptions.h"
#include "sim/bench/BenchRun.h"

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto options = quorvel::sim::ParseBenchOptions(argc, argv, exitCode);
    if (!options) return exitCode;
    return quorvel::sim::RunBench(*options, std::cout);
}
