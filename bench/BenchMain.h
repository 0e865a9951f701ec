#pragma once
// The common parts of the benchmark programs: the hand-timed step, and the end that runs the registered
// benchmarks and reports a failure.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <exception>

// Wall-clock time of a step that a benchmark times by hand.
using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
