// The window with the largest data set a file can hold: 32,765 records must open and refresh
// without a list or picture trap (row-by-row selection, non-uniform row sizes, redrawing on
// mouse moves). Their speed is measured in bench/bench_gui.cpp.

#include "formats/ams_binary.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"
#include "gui_scripted_qt_ui.h"
#include "sample_site.h"
#include "temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QTest>

#include <filesystem>
#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

// A binary data file of 32,765 records, the most a file can hold, in `dir`.
std::filesystem::path WriteLargestFile(const TempDir& dir)
{
    const std::filesystem::path file = dir.file("data/LARGEST.ran");
    std::filesystem::create_directories(file.parent_path());
    EXPECT_FALSE(formats::WriteAmsBinaryFile(file.string(), MakeSampleRecords(32765), false));
    return file;
}

TEST(LargeDataSet, OpensEveryRecordIntoTheListAndRedrawsOnAnOption)
{
    TempDir temp;
    const std::filesystem::path file = WriteLargestFile(temp);
    gui::MainWindow window(temp.file("program/"), temp.file("config/"),
                           std::make_unique<ScriptedQtUi>());
    window.resize(1366, 768);
    window.show();
    QApplication::processEvents();
    app::BrowserState& state = window.browser().State();
    state.DataFolder = file.parent_path().string() + "/";
    state.FilesToOpen = {file.string()};
    state.FileKind = model::FileKind::Ams;

    window.run(&app::Browser::OpenFiles);
    window.grab();
    window.findChild<QCheckBox*>("chcMean")->click();
    window.grab();

    auto* list = window.findChild<gui::RecordListView*>("lstNames");
    EXPECT_EQ(list->recordModel()->rowCount(), 32766);
    EXPECT_GT(window.findChild<gui::PictureWidget*>("picStereo")->renderCount(), 0);
}

TEST(LargeDataSet, ARubberBandOverThirtyThousandRecordsNeverRedrawsThem)
{
    TempDir temp;
    const std::filesystem::path file = WriteLargestFile(temp);
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

    EXPECT_EQ(picture->renderCount(), rendered);
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

    list.setSelectedRows(selected);
    QApplication::processEvents();

    EXPECT_EQ(list.selectedRows(), selected);
}

} // namespace
} // namespace tesmor::test
