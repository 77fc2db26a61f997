// Reading and writing the largest binary data file (32,765 specimens). Containers are reused
// across iterations, as the browser reuses its loaded records, so that the figures measure the
// format and not fresh memory.

#include "bench_data.h"
#include "bench_threads.h"
#include "formats/ams_binary.h"
#include "math/principal_axes.h"
#include "model/file_io.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tesmor;

const formats::OrientationDefaults Defaults {};

void ReadBinaryFromMemory(benchmark::State& state)
{
    const model::Result<std::string> bytes = model::ReadWholeFile(bench::BenchDataFile());
    model::Records loaded;
    for (auto _ : state) {
        const model::Result<formats::DataImport> n
            = formats::ReadAmsBinary(*bytes, "bench.ran", loaded, 1, Defaults);
        benchmark::DoNotOptimize(n.ok());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(loaded.size()));
}
BENCHMARK(ReadBinaryFromMemory)->Unit(benchmark::kMillisecond);

void ReadBinaryFile(benchmark::State& state)
{
    const std::string& path = bench::BenchDataFile();
    model::Records loaded;
    for (auto _ : state) {
        const model::Result<formats::DataImport> n
            = formats::ReadAmsBinaryFile(path, loaded, 1, Defaults);
        benchmark::DoNotOptimize(n.ok());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(loaded.size()));
}
BENCHMARK(ReadBinaryFile)->Unit(benchmark::kMillisecond);

// What opening a file costs before the first picture: reading it and completing every record.
void ReadBinaryFileAndComputeDerived(benchmark::State& state)
{
    const std::string& path = bench::BenchDataFile();
    model::Records loaded;
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        const model::Result<formats::DataImport> n
            = formats::ReadAmsBinaryFile(path, loaded, 1, Defaults, timer.Threads());
        math::ComputeRecordDerived(loaded, timer.Threads());
        benchmark::DoNotOptimize(n.ok());
    }
    timer.Report(__func__);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(loaded.size()));
}
BENCHMARK(ReadBinaryFileAndComputeDerived)
    ->Apply(bench::ThreadCounts)
    ->Unit(benchmark::kMillisecond);

void EncodeBinary(benchmark::State& state)
{
    const model::Records records = bench::MakeBenchRecords();
    for (auto _ : state) {
        const model::Result<std::string> bytes = formats::EncodeAmsBinary(records, false);
        benchmark::DoNotOptimize(bytes.ok());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
}
BENCHMARK(EncodeBinary)->Unit(benchmark::kMillisecond);

} // namespace
