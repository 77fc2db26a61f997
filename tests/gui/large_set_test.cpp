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
#include <QMouseEvent>
#include <QTest>

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

TEST(LargeDataSet, ARubberBandOverThirtyThousandRecordsNeverRedrawsThem)
{
    TempDir temp;
    const std::filesystem::path file = bench::BenchDataFile();
    gui::MainWindow window(temp.file("program/"), temp.file("config/"),
                           std::make_unique<ScriptedQtUi>());
    window.resize(1366, 768);
    window.show();
    app::BrowserState& state = window.browser().State();
    state.DataFolder = file.parent_path().string() + "/";
    state.FilesToOpen = {file.string()};
    state.FileKind = model::FileKind::Ams;
    window.run(&app::Browser::OpenFiles);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    auto* picture = window.findChild<gui::PictureWidget*>("picStereo");
    picture->repaint();
    const int rendered = picture->renderCount();
    QElapsedTimer timer;
    timer.start();

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &press);
    const int moves = 200;
    for (int i = 0; i < moves; ++i) {
        const QPointF at(60 + i, 60 + i / 2);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        picture->repaint(picture->bandRect().adjusted(-2, -2, 2, 2));
    }
    const double perMoveUs = timer.nsecsElapsed() / 1000.0 / moves;

    EXPECT_EQ(picture->renderCount(), rendered);
    std::printf("band move with repaint: %.1f us\n", perMoveUs);
}

TEST(LargeDataSet, SelectingEveryOtherRowTakesOneSelection)
{
    gui::RecordListView list;
    list.resize(300, 600);
    list.show();
    std::vector<std::string> rows(32766, "BS00001A\t300\tF1\t   2.35E-04\t  1.012");
    list.setRows(rows);
    std::vector<bool> selected(rows.size(), false);
    for (std::size_t i = 1; i < selected.size(); i += 2)
        selected[i] = true;
    QElapsedTimer timer;
    timer.start();

    list.setSelectedRows(selected);
    QApplication::processEvents();
    const qint64 selectMs = timer.elapsed();

    EXPECT_EQ(list.selectedRows(), selected);
    std::printf("selecting 16,383 of 32,766 rows: %lld ms\n", static_cast<long long>(selectMs));
}

} // namespace
} // namespace tesmor::test
