// Five repetitions reported as mean, median and minimum: the machine is shared, so a median
// shrugs off a busy moment and the minimum comes closest to the cost on a quiet machine.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace korvan::bench {

inline void Repeated(benchmark::internal::Benchmark* b)
{
    b->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

}  // namespace korvan::bench
