// The tensor computations over the largest data set (32,765 specimens): completing every loaded
// record, and the refresh that follows a change of coordinate system (transformation of the
// working records plus the group statistics with their 3 x 3601 ellipse points). Containers are
// reused across iterations, as the browser reuses its record sequences. Each runs on 1, 2 and
// every core.

#include "bench_data.h"
#include "bench_threads.h"
#include "math/coordinate_systems.h"
#include "math/density_contours.h"
#include "math/group_statistics.h"
#include "math/principal_axes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tesmor;

const model::Records& WorkingRecords()
{
    static const model::Records records = [] {
        model::Records r = bench::MakeBenchRecords();
        math::ComputeRecordDerived(r);
        return r;
    }();
    return records;
}

void ComputeRecordDerivedAll(benchmark::State& state)
{
    model::Records records = WorkingRecords();
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        math::ComputeRecordDerived(records, timer.Threads());
        benchmark::DoNotOptimize(records.data());
    }
    timer.Report(__func__);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
}
BENCHMARK(ComputeRecordDerivedAll)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

void RefreshIn(benchmark::State& state, math::CoordinateSystem system, const char* name)
{
    const model::Records& working = WorkingRecords();
    model::Records active;
    math::GroupStatistics statistics;
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        math::TransformDataSet(working, system, 'B', 'L', math::PaleoReference::Horizontal, active,
                               timer.Threads());
        math::ComputeGroupStatistics(active, math::Projection::EqualArea, statistics,
                                     timer.Threads());
        benchmark::DoNotOptimize(statistics.C1a);
    }
    timer.Report(name);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(working.size()));
}

void TransformGeographicAndStatistics(benchmark::State& state)
{
    RefreshIn(state, math::CoordinateSystem::Geographic, __func__);
}
BENCHMARK(TransformGeographicAndStatistics)
    ->Apply(bench::ThreadCounts)
    ->Unit(benchmark::kMillisecond);

void TransformTectonicAndStatistics(benchmark::State& state)
{
    RefreshIn(state, math::CoordinateSystem::Tectonic, __func__);
}
BENCHMARK(TransformTectonicAndStatistics)
    ->Apply(bench::ThreadCounts)
    ->Unit(benchmark::kMillisecond);

void GroupStatisticsOnly(benchmark::State& state)
{
    const model::Records& active = WorkingRecords();
    math::GroupStatistics statistics;
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        math::ComputeGroupStatistics(active, math::Projection::EqualAngle, statistics,
                                     timer.Threads());
        benchmark::DoNotOptimize(statistics.C1a);
    }
    timer.Report(__func__);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(active.size()));
}
BENCHMARK(GroupStatisticsOnly)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

// The density contours the net draws with its contour option: Kamb counting and the contour
// lines of the K1 and of the K3 axes of every record.
void DensityContoursK1K3(benchmark::State& state)
{
    const model::Records& records = WorkingRecords();
    std::vector<math::Direction> k1;
    std::vector<math::Direction> k3;
    for (const model::SpecimenRecord& r : records) {
        k1.push_back({r.K1dec, r.K1inc});
        k3.push_back({r.K3dec, r.K3inc});
    }
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        for (const auto* axes : {&k1, &k3})
            benchmark::DoNotOptimize(
                math::DensityContours(*axes, math::Projection::EqualArea, timer.Threads()));
    }
    timer.Report(__func__);
}
BENCHMARK(DensityContoursK1K3)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

} // namespace
