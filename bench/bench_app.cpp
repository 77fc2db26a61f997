// The browser's refresh sequence, the opening of the largest data file from disk to the
// recorded pictures, and selecting, disregarding and saving its records.

#include "app/browser.h"
#include "app/open_multiple_dialog.h"
#include "app/table_view.h"
#include "bench_data.h"
#include "bench_threads.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace tesmor;

using SilentUi = bench::SilentUi;

void openBenchFile(app::Browser& browser)
{
    const std::string& path = bench::BenchDataFile();
    app::BrowserState& state = browser.State();
    state.DataFolder = std::filesystem::path(path).parent_path().string() + "/";
    state.FileKind = model::FileKind::Ams;
    state.FilesToOpen = {path};
    browser.OpenFiles();
}

// One browser for every benchmark, with an interface object that lives as long as it does.
app::Browser& loadedBrowser()
{
    static SilentUi ui;
    static app::Browser browser(ui);
    const std::string folder = std::filesystem::temp_directory_path().string() + "/";
    browser.Load(folder, folder);
    return browser;
}

// Refresh sequence R: transformation, statistics, listing text, recording of the three views.
void BM_RefreshSequence(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    browser.State().Threads = static_cast<int>(state.range(0));
    openBenchFile(browser);
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        browser.optGeo_Click();
        benchmark::DoNotOptimize(browser.Controls().lstNames.rows.data());
    }
    timer.Report(__func__);
    state.counters["records"] = static_cast<double>(browser.State().Data.ActiveRecords.size());
}
BENCHMARK(BM_RefreshSequence)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

// OpenFiles of the 32,765-record file: reading, per-record computation, transformation,
// statistics, listing text and recorded pictures.
void BM_OpenFiles(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    browser.State().Threads = static_cast<int>(state.range(0));
    bench::ThreadTimer timer(state);
    for (auto _ : state) {
        openBenchFile(browser);
        benchmark::DoNotOptimize(browser.Controls().picStereo.picture.get());
    }
    timer.Report(__func__);
    state.counters["records"] = static_cast<double>(browser.State().Data.ActiveRecords.size());
}
BENCHMARK(BM_OpenFiles)->Apply(bench::ThreadCounts)->Unit(benchmark::kMillisecond);

// A colour scheme change with every plane's great circle shown: the net and plots recorded
// again, without transformation or statistics; the circles come from the browser's cache.
void BM_ColourChangeWithEveryGreatCircle(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    browser.chcF1C_Click(true);
    bool bw = false;
    for (auto _ : state) {
        bw = !bw;
        if (bw)
            browser.cmdBW_Click();
        else
            browser.cmdDefault_Click();
        benchmark::DoNotOptimize(browser.Controls().picStereo.picture.get());
    }
    browser.chcF1C_Click(false);
    browser.cmdDefault_Click();
}
BENCHMARK(BM_ColourChangeWithEveryGreatCircle)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The parts of the refresh sequence that the browser itself adds: the listing and the pictures.
void BM_OverviewList(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    for (auto _ : state)
        browser.Overview_List();
}
BENCHMARK(BM_OverviewList)->Unit(benchmark::kMillisecond);

void BM_OverviewShow(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    for (auto _ : state)
        browser.Overview_Show();
}
BENCHMARK(BM_OverviewShow)->Unit(benchmark::kMillisecond);

// Every other record selected in the list.
std::vector<bool> everyOtherRow(const app::Browser& browser)
{
    std::vector<bool> rows(browser.Controls().lstNames.rows.size(), false);
    for (std::size_t row = 1; row < rows.size(); row += 2)
        rows[row] = true;
    return rows;
}

// Disregarding half of the records: statistics, listing and recorded pictures of the rest.
void BM_DisregardHalf(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    for (auto _ : state) {
        state.PauseTiming();
        browser.mnuRestoreAllRecords_Click();
        browser.lstNames_Release(everyOtherRow(browser));
        state.ResumeTiming();
        browser.mnuDisregardSelectedRecords_Click();
    }
    state.counters["records"] = static_cast<double>(browser.State().Data.ActiveRecords.size());
}
BENCHMARK(BM_DisregardHalf)->Unit(benchmark::kMillisecond);

// Inverting the selection of every record, with the redrawn pictures.
void BM_InvertSelection(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    browser.lstNames_Release(everyOtherRow(browser));
    for (auto _ : state)
        browser.mnuInvertSelection_Click();
}
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);

// The list's selection of every row handed over: flags, working records, redrawn pictures.
void BM_ListSelectionHandedOver(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    const std::vector<bool> all(browser.Controls().lstNames.rows.size(), true);
    for (auto _ : state)
        browser.lstNames_Release(all);
}
BENCHMARK(BM_ListSelectionHandedOver)->Unit(benchmark::kMillisecond);

// A rubber band released over the whole net: the selection of every record by its axes, the
// list rows, the statistics and the three redrawn pictures.
void BM_NetBandReleased(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    const plot::NetFrame frame = browser.Views().stereo.frame;
    const plot::WorldPoint from = frame.toCanvas(-1, 1);
    const plot::WorldPoint to = frame.toCanvas(1, -1);
    for (auto _ : state) {
        browser.picStereo_MouseDown({app::mouse::Left, {}, from.x, from.y});
        browser.picStereo_MouseUp({app::mouse::Left, {}, to.x, to.y});
    }
}
BENCHMARK(BM_NetBandReleased)->Unit(benchmark::kMillisecond);

// The read-outs of a plot under a moving mouse.
void BM_PlotReadOut(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    const plot::PlotStyle style = browser.Views().plot1Style;
    double x = style.left;
    for (auto _ : state) {
        browser.picPlot1_MouseMove({0, {}, x, style.bottom - style.height / 2});
        x = x < style.left + style.width ? x + 1 : style.left;
        benchmark::DoNotOptimize(browser.Controls().lblPlot1X.text.data());
    }
}
BENCHMARK(BM_PlotReadOut)->Unit(benchmark::kMicrosecond);

// Saving every record as a binary data file.
void BM_SaveRecords(benchmark::State& state)
{
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    const std::string path
        = (std::filesystem::temp_directory_path() / "tesmor_bench_saved.ran").string();
    for (auto _ : state)
        if (browser.State().SaveRecords(path, app::RecordFormat::AmsBinary, false))
            state.SkipWithError("the file could not be written");
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveRecords)->Unit(benchmark::kMillisecond);

// The table view on the largest file: sorting its records by name from the reverse order (the
// names are generated ascending), and saving them with one cell typed.
void BM_TableSortByName(benchmark::State& state)
{
    SilentUi ui;
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    model::Records& loaded = browser.State().Data.LoadedRecords;
    for (auto _ : state) {
        state.PauseTiming();
        std::reverse(loaded.begin(), loaded.end());
        app::TableView view(browser.State(), ui);
        state.ResumeTiming();
        view.cmdSortName_Click();
    }
}
BENCHMARK(BM_TableSortByName)->Unit(benchmark::kMillisecond);

void BM_TableSave(benchmark::State& state)
{
    SilentUi ui;
    app::Browser& browser = loadedBrowser();
    openBenchFile(browser);
    app::TableView view(browser.State(), ui);
    view.SetCell(100, 7, "0.0125");
    const std::string path
        = (std::filesystem::temp_directory_path() / "tesmor_bench_table.ran").string();
    for (auto _ : state)
        if (view.SaveTable(path))
            state.SkipWithError("the file could not be written");
}
BENCHMARK(BM_TableSave)->Unit(benchmark::kMillisecond);

} // namespace
