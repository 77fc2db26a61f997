// Text formats over the benchmark data set (32,765 specimens): reading the same records as an
// ".asc" text file, merging a geological file (9,997 entries, the most its 4-character header
// count can express) into them by prefix match, the ASCII table and direction-file exports, and
// a MagIC specimens table written and read.

#include "bench_data.h"
#include "formats/exchange_formats.h"
#include "formats/ged_file.h"
#include "formats/ged_merge.h"
#include "formats/text_exports.h"
#include "formats/text_import.h"
#include "math/principal_axes.h"
#include "model/number_text.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tesmor;

const model::Records& DerivedRecords()
{
    static const model::Records records = [] {
        model::Records r = bench::MakeBenchRecords();
        math::ComputeRecordDerived(r);
        return r;
    }();
    return records;
}

// The benchmark records as ".asc" blocks of 53 lines (name, groups, scale, tensor).
std::string AscText(const model::Records& records)
{
    std::string out;
    out.reserve(records.size() * 400);
    const auto n = [](float x) { return model::ShortestText(x); };
    for (const model::SpecimenRecord& r : records) {
        out += r.Name + "\r\n";
        for (int line = 2; line <= 10; ++line)
            out += "\r\n";
        out += r.Code1 + " " + n(r.F1Dec) + "/" + n(r.F1Inc) + " " + n(r.L1Dec) + "/" + n(r.L1Inc)
            + " " + r.Code2 + " " + n(r.F2Dec) + "/" + n(r.F2Inc) + " " + n(r.L2Dec) + "/"
            + n(r.L2Inc) + "\r\n";
        for (int line = 12; line <= 24; ++line)
            out += "\r\n";
        out += n(r.FieldCode) + " Km " + n(r.NormFactor) + "\r\n";
        for (int line = 26; line <= 48; ++line)
            out += "\r\n";
        out += "K : 1 2 3 " + n(r.K11) + " " + n(r.K22) + " " + n(r.K33) + "\r\n";
        out += "K : 1 2 3 " + n(r.K12) + " " + n(r.K23) + " " + n(r.K13) + "\r\n";
        out += "\r\n\r\n\r\n";
    }
    return out;
}

void ReadAscText(benchmark::State& state)
{
    const std::string text = AscText(DerivedRecords());
    model::Records loaded;
    for (auto _ : state) {
        const auto read = formats::ReadAscText(text, "bench.asc", loaded, 1, {});
        benchmark::DoNotOptimize(read.ok());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ReadAscText)->Unit(benchmark::kMillisecond);

// A MagIC specimens table of the benchmark records written to memory, and read back.
void WriteMagicTable(benchmark::State& state)
{
    const model::Records& records = DerivedRecords();
    for (auto _ : state) {
        const std::string text = formats::EncodeMagicTable(records, 0, false);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(WriteMagicTable)->Unit(benchmark::kMillisecond);

void ReadMagicTable(benchmark::State& state)
{
    const std::string text = formats::EncodeMagicTable(DerivedRecords(), 0, false);
    model::Records loaded;
    for (auto _ : state) {
        const auto read = formats::ReadMagicTable(text, "bench.txt", loaded, 1, {});
        benchmark::DoNotOptimize(read.ok());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ReadMagicTable)->Unit(benchmark::kMillisecond);

void MergeGedFromLeft(benchmark::State& state)
{
    const model::Records& records = DerivedRecords();
    formats::GedEntries entries;
    for (std::size_t i = 0; i < 9997; ++i) {
        formats::GedEntry e;
        e.Name = records[i * 3].Name;
        e.Azimuth = static_cast<std::int16_t>(i % 360);
        e.Plunge = static_cast<std::int16_t>(i % 90);
        e.Code1 = "BL";
        e.Code2 = "SK";
        e.P1 = 12;
        e.P3 = 12;
        entries.push_back(e);
    }
    const std::string ged = *formats::EncodeGed(entries);
    model::Records loaded;
    for (auto _ : state) {
        state.PauseTiming();
        loaded = records;
        state.ResumeTiming();
        const auto merged
            = formats::MergeGed(ged, "bench.ged", loaded, formats::GedMatchMode::FromLeft,
                                math::RotationMode::SpecimenToGeographic);
        benchmark::DoNotOptimize(merged.ok());
    }
}
BENCHMARK(MergeGedFromLeft)->Unit(benchmark::kMillisecond);

void AsciiTableText(benchmark::State& state)
{
    const model::Records& records = DerivedRecords();
    for (auto _ : state)
        benchmark::DoNotOptimize(formats::AsciiTableText(records, false));
}
BENCHMARK(AsciiTableText)->Unit(benchmark::kMillisecond);

void DirectionFileText(benchmark::State& state)
{
    const model::Records& records = DerivedRecords();
    const model::DisplayOptions options {.chcF1P = true, .chcL1 = true};
    for (auto _ : state)
        benchmark::DoNotOptimize(formats::DirectionFileText(records, options, false));
}
BENCHMARK(DirectionFileText)->Unit(benchmark::kMillisecond);

} // namespace
