// The operator new calls a benchmark's loop makes on its own thread, per
// iteration, as the counter "allocs".
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "tests/support/AllocationCount.h"

namespace quorvel::perf {

class AllocationCounter {
public:
    explicit AllocationCounter(benchmark::State& state)
        : state(state), start(test::NewCallsOnThisThread()) {}
    ~AllocationCounter() {
        const auto calls = static_cast<double>(test::NewCallsOnThisThread() - start);
        state.counters["allocs"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
    }
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

private:
    benchmark::State& state;
    std::uint64_t start;
};

}  // namespace quorvel::perf
