// The window with the largest data set a file can hold, off screen: opening it up to the first
// paint, a display option with its repaint, a rubber-band move, selecting half the rows, and
// the list's selection handed over to the browser.

#include "app/table_view.h"
#include "bench_data.h"
#include "formats/ged_file.h"
#include "gui/ged_editor_window.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/qt_user_interface.h"
#include "gui/record_list.h"
#include "gui/table_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace tesmor {
namespace {

// One application for every benchmark, off screen unless a display platform is chosen.
QApplication& Application()
{
    static int argc = 1;
    static char name[] = "tesmor_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

std::unique_ptr<gui::MainWindow> LargeSetWindow(const std::string& programFolder)
{
    Application();
    auto window = std::make_unique<gui::MainWindow>(programFolder, programFolder);
    window->resize(1366, 768);
    window->show();
    const std::filesystem::path file = bench::BenchDataFile();
    app::BrowserState& state = window->browser().State();
    state.DataFolder = file.parent_path().string() + "/";
    state.FilesToOpen = {file.string()};
    state.FileKind = model::FileKind::Ams;
    return window;
}

std::string ProgramFolder()
{
    const auto folder = std::filesystem::temp_directory_path() / "tesmor_bench_program";
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

void BM_WindowOpenToFirstPaint(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    for (auto _ : state) {
        window->run(&app::Browser::OpenFiles);
        benchmark::DoNotOptimize(window->grab());
    }
}
BENCHMARK(BM_WindowOpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_WindowDisplayOptionAndRepaint(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    auto* mean = window->findChild<QCheckBox*>("chcMean");
    for (auto _ : state) {
        mean->click();
        benchmark::DoNotOptimize(window->grab());
    }
}
BENCHMARK(BM_WindowDisplayOptionAndRepaint)->Unit(benchmark::kMillisecond);

// The same change as the person sees it: the event loop repaints only the widgets that the
// change marked dirty (grab() above paints the whole window, list and plots included). The
// counters say how often the net and the plots were drawn per change.
void BM_WindowDisplayOptionEventLoopRepaint(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    auto* mean = window->findChild<QCheckBox*>("chcMean");
    auto* net = window->findChild<gui::PictureWidget*>("picStereo");
    auto* plot = window->findChild<gui::PictureWidget*>("picPlot1");
    benchmark::DoNotOptimize(window->grab());
    QApplication::processEvents();
    const int netBefore = net->renderCount();
    const int plotBefore = plot->renderCount();
    for (auto _ : state) {
        mean->click();
        QApplication::processEvents();
    }
    state.counters["net renders"]
        = benchmark::Counter(net->renderCount() - netBefore, benchmark::Counter::kAvgIterations);
    state.counters["plot renders"]
        = benchmark::Counter(plot->renderCount() - plotBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WindowDisplayOptionEventLoopRepaint)->Unit(benchmark::kMillisecond);

// A colour scheme change with every plane's great circle shown, with the repaint.
void BM_WindowColourChangeWithEveryGreatCircle(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    window->findChild<QCheckBox*>("chcF1C")->click();
    auto* net = window->findChild<gui::PictureWidget*>("picStereo");
    benchmark::DoNotOptimize(window->grab());
    const int before = net->renderCount();
    bool bw = false;
    for (auto _ : state) {
        bw = !bw;
        window->run(bw ? &app::Browser::cmdBW_Click : &app::Browser::cmdDefault_Click);
        benchmark::DoNotOptimize(window->grab());
    }
    // Drawings of the net per change: one, from the recording.
    state.counters["net renders"]
        = benchmark::Counter(net->renderCount() - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WindowColourChangeWithEveryGreatCircle)->Unit(benchmark::kMillisecond);

void BM_RubberBandMove(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    benchmark::DoNotOptimize(window->grab()); // renders the cached pictures once
    auto* picture = window->findChild<gui::PictureWidget*>("picStereo");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &press);
    int i = 0;
    for (auto _ : state) {
        const QPointF at(60 + i % 200, 60 + (i % 200) / 2);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        picture->repaint(picture->bandRect().adjusted(-2, -2, 2, 2));
        ++i;
    }
    state.counters["renders"] = picture->renderCount();
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

void BM_SelectHalfTheRows(benchmark::State& state)
{
    Application();
    gui::RecordListView list;
    list.resize(300, 600);
    list.show();
    list.setRows(std::vector<std::string>(32766, "BS00001A\t300\tF1\t   2.35E-04\t  1.012"));
    std::vector<bool> selected(32766, false);
    for (std::size_t i = 1; i < selected.size(); i += 2)
        selected[i] = true;
    for (auto _ : state) {
        list.setSelectedRows(selected);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SelectHalfTheRows)->Unit(benchmark::kMillisecond);

// Every row of the open set selected, then a key released over the list: the list hands its
// selection over in one call and the browser flags the records and redraws the views.
void BM_ListSelectionOfAllRowsHandedOver(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    auto* list = window->findChild<gui::RecordListView*>("lstNames");
    list->selectAll();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier);
    for (auto _ : state)
        QApplication::sendEvent(list, &release);
    state.counters["selected"] = static_cast<double>(
        std::count_if(window->browser().State().Data.WorkingRecords.begin(),
                      window->browser().State().Data.WorkingRecords.end(),
                      [](const model::SpecimenRecord& r) { return r.Selected; }));
}
BENCHMARK(BM_ListSelectionOfAllRowsHandedOver)->Unit(benchmark::kMillisecond);

// A geological file with 9,997 entries (the most its header counts), named after the
// benchmark's specimens, with their orientations and structures; written once.
const std::string& LargeGedFile()
{
    static const std::string path = [] {
        const model::Records records = bench::MakeBenchRecords();
        formats::GedEntries entries;
        for (std::size_t i = 0; i < 9997; ++i) {
            const model::SpecimenRecord& r = records[i];
            formats::GedEntry e;
            e.Name = r.Name;
            e.Site = r.Site;
            e.Lat = r.Lat;
            e.Lon = r.Lon;
            e.Azimuth = static_cast<std::int16_t>(i % 360);
            e.Plunge = static_cast<std::int16_t>(i % 90);
            e.Code1 = r.Code1;
            e.F1Dec = r.F1Dec;
            e.F1Inc = r.F1Inc;
            e.L1Dec = r.L1Dec;
            e.L1Inc = r.L1Inc;
            e.Code2 = r.Code2;
            e.F2Dec = r.F2Dec;
            e.F2Inc = r.F2Inc;
            e.P1 = 12;
            e.P3 = 12;
            entries.push_back(std::move(e));
        }
        const std::string file
            = (std::filesystem::temp_directory_path() / "tesmor_bench_9997.ged").string();
        if (formats::WriteGedFile(file, entries))
            std::abort();
        return file;
    }();
    return path;
}

// Opening a geological file in the editor: the validating read, the editor's table and its
// window up to the first paint.
void BM_GedEditorOpenToFirstPaint(benchmark::State& state)
{
    Application();
    const std::string& file = LargeGedFile();
    bench::SilentUi ui;
    for (auto _ : state) {
        formats::GedEntries entries;
        if (formats::ReadGedFileForEditing(file, entries, 1).Error)
            std::abort();
        auto editor = std::make_shared<app::GedEditor>(ui, "/tmp/", "x.ged",
                                                       std::array<std::int16_t, 4> {});
        editor->Fill(entries);
        gui::GedEditorWindow window(editor);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        state.counters["rows"] = editor->Rows();
    }
}
BENCHMARK(BM_GedEditorOpenToFirstPaint)->Unit(benchmark::kMillisecond);

// "Edit data" on the largest file up to the first paint of the table window: the view of the
// loaded records, the grid over it and its painting.
void BM_TableWindowOpenToFirstPaint(benchmark::State& state)
{
    auto window = LargeSetWindow(ProgramFolder());
    window->run(&app::Browser::OpenFiles);
    gui::QtUserInterface ui(window.get());
    for (auto _ : state) {
        app::TableView view(window->browser().State(), ui);
        gui::TableWindow table(view, window.get());
        table.show();
        benchmark::DoNotOptimize(table.grab());
    }
}
BENCHMARK(BM_TableWindowOpenToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tesmor
