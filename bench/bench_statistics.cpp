// The confidence regions beside Tenvar over the largest data set: Hext statistics of every
// record, and the bootstrap of 1,000 pseudo-samples over 100 specimens and over every record
// (simple and parametric), on 1, 2 and every core.

#include "bench_data.h"
#include "bench_threads.h"
#include "math/bootstrap.h"
#include "math/confidence_regions.h"
#include "math/principal_axes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tesmor;

const model::Records& Records()
{
    static const model::Records records = [] {
        model::Records r = bench::MakeBenchRecords();
        math::ComputeRecordDerived(r);
        for (model::SpecimenRecord& record : r)
            record.Sigma = 0.002f;
        return r;
    }();
    return records;
}

void HextAll(benchmark::State& state)
{
    const model::Records& records = Records();
    for (auto _ : state)
        benchmark::DoNotOptimize(math::ComputeHext(records, math::Projection::EqualArea).F);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
}
BENCHMARK(HextAll)->Unit(benchmark::kMillisecond);

void RunBootstrap(benchmark::State& state, const model::Records& records, bool parametric,
                  const char* name)
{
    math::BootstrapOptions options;
    options.Parametric = parametric;
    options.Seed = 42;
    bench::ThreadTimer timer(state);
    options.Threads = timer.Threads();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            math::ComputeBootstrap(records, math::Projection::EqualArea, options).Axis[0].eta);
    timer.Report(name);
}

void Bootstrap100(benchmark::State& state)
{
    static const model::Records hundred(Records().begin(), Records().begin() + 100);
    RunBootstrap(state, hundred, false, __func__);
}
BENCHMARK(Bootstrap100)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

void BootstrapAll(benchmark::State& state)
{
    RunBootstrap(state, Records(), false, __func__);
}
BENCHMARK(BootstrapAll)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

void ParametricBootstrapAll(benchmark::State& state)
{
    RunBootstrap(state, Records(), true, __func__);
}
BENCHMARK(ParametricBootstrapAll)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

} // namespace
