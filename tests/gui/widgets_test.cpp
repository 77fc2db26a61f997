// The building blocks of the windows: the picture surface with its rubber band, the record
// list with tens of thousands of rows, the dialogs' helpers, splash and about box.

#include "app/open_multiple_dialog.h"
#include "gui/edit_grid.h"
#include "gui/ged_editor_window.h"
#include "gui/picture_widget.h"
#include "gui/qt_user_interface.h"
#include "gui/record_list.h"
#include "gui/splash_window.h"
#include "gui_scripted_qt_ui.h"
#include "temp_dir.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

// A band repaints from the cache; a new size draws again for that size.
TEST(PictureWidget, ARubberBandRepaintsFromTheCacheAndANewSizeDrawsAgain)
{
    gui::PictureWidget picture;
    picture.resize(300, 300);
    QSize drawnFor;
    picture.setPainter([&drawnFor](QPainter&, QSize size) { drawnFor = size; });
    picture.show();
    picture.grab();
    EXPECT_EQ(drawnFor, QSize(300, 300) * picture.devicePixelRatioF());
    const int rendered = picture.renderCount();
    QSignalSpy released(&picture, &gui::PictureWidget::bandReleased);

    QTest::mousePress(&picture, Qt::LeftButton, {}, QPoint(20, 30));
    for (int x = 30; x < 200; x += 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, x), QPointF(x, x), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&picture, &move);
        picture.grab();
    }
    EXPECT_EQ(picture.bandRect(), QRect(QPoint(20, 30), QPoint(190, 190)));
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(190, 190));

    EXPECT_EQ(picture.renderCount(), rendered);
    EXPECT_FALSE(picture.bandActive());
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.front().at(0).toPoint(), QPoint(20, 30));
    EXPECT_EQ(released.front().at(1).toPoint(), QPoint(190, 190));

    picture.resize(320, 240);
    picture.grab();
    EXPECT_EQ(drawnFor, QSize(320, 240) * picture.devicePixelRatioF());
}

// The largest data set shown, every other row selected in one selection, then none.
TEST(RecordListView, SelectsTensOfThousandsOfRowsExactlyAndAnEmptySelectionClearsThem)
{
    gui::RecordListView list;
    list.resize(300, 600);
    list.show();
    list.setRows(std::vector<std::string>(32766, "BS00001A\t300\tF1\t   2.35E-04\t  1.012"));
    std::vector<bool> selected(32766, false);
    for (std::size_t i = 1; i < selected.size(); i += 2)
        selected[i] = true;

    list.setSelectedRows(selected);
    QApplication::processEvents();
    EXPECT_EQ(list.selectedRows(), selected);
    list.setSelectedRows({});
    EXPECT_EQ(list.selectedRows(), std::vector<bool>(32766, false));
}

TEST(TabStopDelegate, PlacesTheTabStopsInAscendingPixelsOfTheFont)
{
    gui::TabStopDelegate delegate;
    delegate.setTabStops({48, 65, 90});
    const QFontMetrics metrics(QFont("Monospace", 10));

    const std::vector<int> pixels = delegate.stopPixels(metrics);

    ASSERT_EQ(pixels.size(), 3u);
    EXPECT_TRUE(0 < pixels[0] && pixels[0] < pixels[1] && pixels[1] < pixels[2]);
    // A 12-character name fits before the second column.
    EXPECT_GE(pixels[0], 12 * metrics.horizontalAdvance(QLatin1Char('0')));
}

TEST(QtFilters, TurnsTextAndPatternPairsIntoQtFilters)
{
    EXPECT_EQ(gui::QtFilters("Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt"),
              QStringList({"Varkel AMS format (*.ran)", "ASCII text file (*.txt)"}));
    EXPECT_EQ(gui::QtFilters("Geological files|*.ged"), QStringList({"Geological files (*.ged)"}));
    EXPECT_EQ(gui::FilterSuffix("Windows metafile (*.wmf)"), "wmf");
    EXPECT_EQ(gui::FilterSuffix("All files"), "");
}

// Open with nothing chosen asks for a file and keeps the window open; otherwise the window's
// list selection reaches the dialog, or Cancel leaves it cancelled.
TEST(OpenMultipleWindow, HandsTheChosenFilesToTheDialogOrCancelsIt)
{
    TempDir temp;
    for (const char* name : {"a.ran", "b.ran", "c.ran", "notes.txt"})
        WriteBytes(temp.file(name), "x");
    const std::string folder = temp.path().string() + "/";
    ScriptedQtUi ui;
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        app::OpenMultipleDialog dialog;
        dialog.Load(folder, 1, folder);
        gui::OpenMultipleWindow window(dialog, ui);
        auto* files = window.findChild<QListWidget*>("File1");
        ASSERT_EQ(files->count(), 3);
        files->item(1)->setSelected(step > 0);
        files->item(2)->setSelected(step > 0);

        window.findChild<QPushButton*>(step == 2 ? "cmdCancel" : "cmdOpen")->click();

        EXPECT_EQ(dialog.Closed(), step > 0);
        EXPECT_EQ(window.result() == QDialog::Accepted, step == 1);
        if (step == 1) {
            EXPECT_EQ(dialog.Result().ChosenFiles,
                      (std::vector<std::string> {folder + "b.ran", folder + "c.ran"}));
            EXPECT_EQ(window.windowTitle().toStdString(), "Open multiple - [ " + folder + "]");
        }
        if (step == 2) {
            EXPECT_TRUE(dialog.Result().Cancelled);
        }
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages.front().text, "No file(s) selected!");
}

// Enter stores and moves on, wrapping to the next row; while a cell is edited Left and Right
// move the caret and Up leaves it; F2 edits with the caret at the end; closing asks about edits.
TEST(GedEditorWindow, TheGridKeysMoveAndEditAndClosingWithEditsAsks)
{
    ScriptedQtUi ui;
    auto editor = std::make_shared<app::GedEditor>(ui, "/tmp/", "", std::array<std::int16_t, 4> {});
    gui::GedEditorWindow window(editor);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    gui::EditGrid* grid = window.grid();
    grid->setFocus();
    const auto keys = [](const QString& text, Qt::Key last) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), last);
    };

    keys("AB1", Qt::Key_Return);
    keys("12", Qt::Key_Left);
    keys("", Qt::Key_Up);
    EXPECT_EQ(editor->Current(), (app::GridCell {1, 2}));
    keys("", Qt::Key_F2);
    keys("0", Qt::Key_Return);
    grid->GoTo(0, 12);
    keys("", Qt::Key_Return);

    EXPECT_EQ(editor->Cell(1, 1), "AB1");
    EXPECT_EQ(editor->Cell(1, 2), "120");
    EXPECT_EQ(editor->Current(), (app::GridCell {2, 1}));
    keys("", Qt::Key_Right); // no text open: the arrow moves to the next cell
    EXPECT_EQ(editor->Current(), (app::GridCell {2, 2}));
    window.reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(SplashWait, EndsWhenTheElapsedTimeReachesTheDelay)
{
    std::vector<qint64> readings = {0, 1000, 2999, 3000, 5000};
    std::size_t calls = 0;

    gui::WaitProcessingEvents(3000,
                              [&] { return readings[std::min(calls++, readings.size() - 1)]; });

    EXPECT_EQ(calls, 4u);
}

} // namespace
} // namespace tesmor::test
