#pragma once

// Synthetic AMS data for benchmarks and the example site: realistic specimen records made from a
// fixed seed, so that every run and every machine sees the same numbers.
//
// Each tensor is R * diag(k1, k2, k3) * R^T, normalised to a trace of 3 (mean 1), with the degree
// of anisotropy P = k1/k3 between 1.02 and 1.2 and shapes T between -0.8 and 0.9. The principal
// directions cluster about a mean fabric: K3 about the pole of a cleavage plane, K1 about a
// lineation within it. Every record carries group 1 "BL" (bedding B and lineation L) and most
// records group 2 "SK" (cleavage S and lineation K), scattered about their means.
//
// The records hold what a binary data file holds (header copies, name, codes, tensor, scale,
// planes and lines, Km, Instrument/Field/Freq, Index); principal values, directions and
// parameters are left for math::ComputeRecordDerived.

#include "app/open_multiple_dialog.h"
#include "app/user_interface.h"
#include "model/data_set.h"

#include <cstdint>
#include <string>

namespace tesmor::bench {

struct SyntheticSite
{
    int Count = 32765;
    std::uint64_t Seed = 42;
    std::string NamePrefix = "BS"; // names are prefix + zero-padded number + letter
    std::string Site = "BENCHMARK";
    std::string Lat = "49.85";
    std::string Lon = "13.42";
    std::string Rock = "GRAN";
    std::string Strat = "CARB";
    std::string Litho = "MOLD";
    std::string Region = "BOHE";
    std::int16_t P1 = 12;
    std::int16_t P2 = 0;
    std::int16_t P3 = 12;
    std::int16_t P4 = 0;
    float MeanKm = 250.0f; // mean susceptibility, 1e-6 SI
};

// Answers nothing: the benchmarks never ask the person anything.
class SilentUi : public app::UserInterface
{
public:
    void ShowMessage(const model::UserMessage&) override { }
    bool AskOkCancel(const model::UserMessage&) override { return false; }
    app::SaveChoice AskSaveDiscard(const model::UserMessage&) override
    {
        return app::SaveChoice::Discard;
    }
    app::FileDialogAnswer OpenFileDialog(const app::FileDialogRequest&) override { return {}; }
    app::FileDialogAnswer SaveFileDialog(const app::FileDialogRequest&) override { return {}; }
    void RunOpenMultiple(app::OpenMultipleDialog& dialog) override { dialog.Cancel(); }
    void RunTableView(app::TableView&) override { }
    void ShowWindow(app::WindowId, bool) override { }
    void ShowGedEditor(std::shared_ptr<app::GedEditor>, bool) override { }
    bool ChooseGedMatchMode(std::int16_t&) override { return false; }
    model::Status PrintViews(const plot::ViewData&, const std::string&) override { return {}; }
    model::Status ExportViews(const std::string&, const plot::ViewData&,
                              const std::string&) override
    {
        return {};
    }
};

// Records of a synthetic site as described above.
model::Records MakeSyntheticRecords(const SyntheticSite& site);

// The benchmark data set: 32,765 records, the most a binary file can hold.
model::Records MakeBenchRecords();

// Writes `records` as a binary data file; aborts with a message when that fails.
void WriteRecordsFile(const std::string& path, const model::Records& records);

// The path of a binary data file holding MakeBenchRecords(), written once per process into the
// system's temporary folder, or to the path in TESMOR_BENCH_DATA_FILE, where it is kept (for
// other programs to read the same bytes).
const std::string& BenchDataFile();

} // namespace tesmor::bench
