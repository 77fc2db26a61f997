#pragma once

// The thread counts of the scaling benchmarks, and their speed-up over one thread.
//
// A benchmark registered with ThreadCounts runs with 1, 2 and every core (the hardware count,
// when it is more than 2) as its argument. ThreadTimer measures the loop's wall time itself, so
// that each run can print a "speedup" counter: its time per iteration over that of the 1-thread
// run of the same benchmark, which runs first.

#include "math/parallel.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <string>

namespace tesmor::bench {

inline void ThreadCounts(benchmark::internal::Benchmark* b)
{
    b->ArgName("threads")->Arg(1)->Arg(2);
    if (math::HardwareThreads() > 2)
        b->Arg(math::HardwareThreads());
}

class ThreadTimer
{
public:
    explicit ThreadTimer(benchmark::State& state)
        : m_state(state)
        , m_start(std::chrono::steady_clock::now())
    {
    }
    int Threads() const { return static_cast<int>(m_state.range(0)); }
    // Call after the loop.
    void Report(const std::string& name)
    {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
        const double perIteration = elapsed.count()
            / static_cast<double>(std::max<benchmark::IterationCount>(m_state.iterations(), 1));
        static std::map<std::string, double> single;
        if (Threads() == 1)
            single[name] = perIteration;
        if (const auto one = single.find(name); one != single.end() && perIteration > 0)
            m_state.counters["speedup"] = one->second / perIteration;
    }

private:
    benchmark::State& m_state;
    std::chrono::steady_clock::time_point m_start;
};

} // namespace tesmor::bench
