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

// Opens every record into the list, redraws on an option, and a rubber band over them never
// redraws the picture.
TEST(LargeDataSet, OpensEveryRecordAndARubberBandNeverRedrawsThem)
{
    TempDir temp;
    const std::filesystem::path file = temp.file("data/LARGEST.ran");
    std::filesystem::create_directories(file.parent_path());
    ASSERT_FALSE(formats::WriteAmsBinaryFile(file.string(), MakeSampleRecords(32765), false));
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
    window.findChild<QCheckBox*>("chcMean")->click();
    QApplication::processEvents();
    EXPECT_EQ(window.findChild<gui::RecordListView*>("lstNames")->recordModel()->rowCount(), 32766);
    auto* picture = window.findChild<gui::PictureWidget*>("picStereo");
    picture->repaint();
    const int rendered = picture->renderCount();
    EXPECT_GT(rendered, 0);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &press);
    for (int i = 0; i < 200; ++i) {
        const QPointF at(60 + i, 60 + i / 2);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        picture->repaint(picture->bandRect().adjusted(-2, -2, 2, 2));
    }

    EXPECT_EQ(picture->renderCount(), rendered);
}

} // namespace
} // namespace tesmor::test
