// The window with the largest data set a file can hold: 32,765 records must open and refresh
// without a list or picture trap (row-by-row selection, non-uniform row sizes, redrawing on
// mouse moves).

#include "bench_data.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"
#include "gui_scripted_qt_ui.h"
#include "temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>

#include <filesystem>
#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

TEST(LargeDataSet, OpensEveryRecordIntoTheListAndRedrawsOnAnOption)
{
    TempDir temp;
    const std::filesystem::path file = bench::BenchDataFile();
    gui::MainWindow window(temp.file("program/"), temp.file("config/"),
                           std::make_unique<ScriptedQtUi>());
    window.resize(1366, 768);
    window.show();
    QApplication::processEvents();
    app::BrowserState& state = window.browser().State();
    state.DataFolder = file.parent_path().string() + "/";
    state.FilesToOpen = {file.string()};
    state.FileKind = model::FileKind::Ams;
    QElapsedTimer timer;
    timer.start();

    window.run(&app::Browser::OpenFiles);
    window.grab();
    const qint64 openMs = timer.restart();
    window.findChild<QCheckBox*>("chcMean")->click();
    window.grab();
    const qint64 redrawMs = timer.elapsed();

    auto* list = window.findChild<gui::RecordListView*>("lstNames");
    EXPECT_EQ(list->recordModel()->rowCount(), 32766);
    EXPECT_GT(window.findChild<gui::PictureWidget*>("picStereo")->renderCount(), 0);
    ::testing::Test::RecordProperty("open_ms", int(openMs));
    ::testing::Test::RecordProperty("redraw_ms", int(redrawMs));
    std::printf("open and show: %lld ms, option and redraw: %lld ms\n",
                static_cast<long long>(openMs), static_cast<long long>(redrawMs));
}

} // namespace
} // namespace tesmor::test
