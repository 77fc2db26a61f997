// The record list hands its selection to the browser when a key is released over it, the
// Selection menu acts on it, and the name-matching dialog of geological merges answers.

#include "gui/copy_ged_dialog.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"
#include "gui_scripted_qt_ui.h"
#include "temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

TEST(SelectionWindow, TheListHandsItsSelectionOverAndDisregardingShortensIt)
{
    TempDir temp;
    gui::MainWindow window(temp.path().string() + "/", temp.path().string() + "/",
                           std::make_unique<ScriptedQtUi>());
    window.show();
    gui::OpenCommandLineFiles(window, {(SourceDir() / "examples/site/BOHEM1.ran").string()});
    const model::Records& active = window.browser().State().Data.ActiveRecords;
    const std::size_t n = active.size();
    ASSERT_GE(n, 5u);
    auto* list = window.findChild<gui::RecordListView*>("lstNames");
    QItemSelection rows(list->model()->index(2, 0), list->model()->index(3, 0));
    list->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(list, &release);

    std::vector<bool> flags;
    for (const model::SpecimenRecord& r : window.browser().State().Data.WorkingRecords)
        flags.push_back(r.Selected);
    std::vector<bool> expected(n, false);
    expected[1] = expected[2] = true;
    EXPECT_EQ(flags, expected);

    window.findChild<QAction*>("mnuDisregardSelectedRecords")->trigger();
    EXPECT_EQ(list->model()->rowCount(), int(n) - 1);
    EXPECT_EQ(window.findChild<QLabel*>("lblN")->text(), QString::number(n - 2));
    window.findChild<QAction*>("mnuRestoreAllRecords")->trigger();
    EXPECT_EQ(list->model()->rowCount(), int(n) + 1);

    // A band over the whole net with Ctrl selects every record by its K1 axis, in the list too;
    // the plots do not pick with the right button; the net reads the position under the mouse.
    QApplication::processEvents(); // the pictures recorded for their widgets' sizes
    auto* net = window.findChild<gui::PictureWidget*>("picStereo");
    const QPoint corner(net->width() - 1, net->height() - 1);
    QTest::mousePress(net, Qt::RightButton, Qt::ControlModifier, corner);
    QTest::mouseRelease(net, Qt::RightButton, Qt::ControlModifier, QPoint(1, 1));
    auto* plot = window.findChild<gui::PictureWidget*>("picPlot1");
    QTest::mousePress(plot, Qt::RightButton, {}, QPoint(0, 0));
    QTest::mouseRelease(plot, Qt::RightButton, {}, QPoint(0, 0));
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), int(n));
    // With Shift the K3 axes count: they all lie in the net's south-east quarter, none in the
    // north-west one. The band is given in the widget's logical pixels, so this holds at any
    // device pixel ratio (ctest runs this test at a ratio of 2 too).
    const QPoint centre = net->rect().center();
    QTest::mousePress(net, Qt::LeftButton, Qt::ShiftModifier, centre);
    QTest::mouseRelease(net, Qt::LeftButton, Qt::ShiftModifier, corner);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), int(n));
    QTest::mousePress(net, Qt::LeftButton, Qt::ShiftModifier, centre);
    QTest::mouseRelease(net, Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 1));
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(net->rect().center()),
                     net->mapToGlobal(QPointF(net->rect().center())), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(net, &move);
    EXPECT_TRUE(window.findChild<QLabel*>("lblStereoI")->text().startsWith("I= 8"));
}

TEST(CopyGedDialog, OpensOnTheStoredOptionAndContinuesWithTheChosenOne)
{
    gui::CopyGedDialog dialog(2);
    ASSERT_TRUE(dialog.findChild<QRadioButton*>("optFullMatch")->isChecked());
    dialog.findChild<QRadioButton*>("optMatchFromLeft")->click();
    dialog.findChild<QPushButton*>("cmdContinue")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.mode(), 1);

    gui::CopyGedDialog cancelled(1);
    cancelled.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

} // namespace
} // namespace tesmor::test
