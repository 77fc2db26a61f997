// The main window built offscreen: opening the example set through the real open-multiple
// window, controls forwarded to the browser, layout, and the closed state.

#include "gui/edit_grid.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"
#include "gui_scripted_qt_ui.h"
#include "temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

namespace fs = std::filesystem;

// Counts pixels of one colour, to tell which symbols a picture shows.
int CountColour(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(temp.path() / "program");
        fs::create_directories(temp.path() / "data");
        fs::copy_file(SourceDir() / "examples/site/BOHEM1.ran", temp.path() / "data/BOHEM1.ran");
        fs::copy_file(SourceDir() / "examples/site/BOHEM1.ran", temp.path() / "data/BOHEM2.ran");
        dataFolder = (temp.path() / "data").string() + "/";
        auto ui = std::make_unique<ScriptedQtUi>();
        script = ui.get();
        window = std::make_unique<gui::MainWindow>((temp.path() / "program").string() + "/",
                                                   (temp.path() / "config").string() + "/",
                                                   std::move(ui));
        window->resize(1366, 768);
        window->show();
        settle();
    }

    void TearDown() override { window.reset(); }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    template<typename T> T* find(const char* name)
    {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // Opens the example set as a person would: File > Open, the data folder in the folder
    // tree, BOHEM1.ran in the file list, then Open.
    void openExample()
    {
        script->openScript = [this](gui::OpenMultipleWindow& dialog) {
            auto* tree = dialog.findChild<QTreeView*>("Dir1");
            auto* model = qobject_cast<QFileSystemModel*>(tree->model());
            emit tree->clicked(model->index(QString::fromStdString(dataFolder)));
            auto* files = dialog.findChild<QListWidget*>("File1");
            const auto items = files->findItems("BOHEM1.ran", Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            items.front()->setSelected(true);
            dialog.findChild<QPushButton*>("cmdOpen")->click();
        };
        find<QAction>("mnuOpen")->trigger();
        settle();
    }

    QImage grabPicture(const char* name)
    {
        auto* picture = find<gui::PictureWidget>(name);
        return picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    TempDir temp;
    std::string dataFolder;
    ScriptedQtUi* script = nullptr;
    std::unique_ptr<gui::MainWindow> window;
};

// Opening shows the records, statistics and header; the net shows the three axes in colour
// until cmdBW; the coordinate option and the symbol slider reach their operations.
TEST_F(MainWindowTest, OpeningTheExampleSetAndTheSchemeCoordinateAndSymbolControls)
{
    openExample();
    EXPECT_EQ(window->windowTitle().toStdString(), "Tesmor 42 - [" + dataFolder + "BOHEM1.ran]");
    auto* list = find<gui::RecordListView>("lstNames");
    EXPECT_TRUE(list->isEnabled());
    ASSERT_EQ(list->recordModel()->rowCount(), 33);
    EXPECT_EQ(list->recordModel()->rows().front().substr(0, 5), "Name\t");
    EXPECT_EQ(find<QLabel>("lblN")->text(), "32");
    EXPECT_EQ(find<QLabel>("StatusBar1Panel1")->text(), "Site: BOHEM1");
    EXPECT_TRUE(find<QAction>("mnuSave")->isVisible() && script->messages.empty());
    EXPECT_TRUE(find<QRadioButton>("optGeo")->isChecked());
    const std::string geographic = list->recordModel()->rows()[1];
    const QColor blue(0, 0, 255);
    const QColor green(0, 255, 0);
    ASSERT_GT(CountColour(grabPicture("picStereo"), blue), 50);
    EXPECT_GT(CountColour(grabPicture("picStereo"), green), 50);

    find<QPushButton>("cmdBW")->click();
    find<QRadioButton>("optPaleo")->click();
    find<QSlider>("vslSymbolSize")->setValue(17);
    settle();

    const QImage blackAndWhite = grabPicture("picStereo");
    EXPECT_EQ(CountColour(blackAndWhite, blue), 0);
    EXPECT_EQ(CountColour(blackAndWhite, green), 0);
    EXPECT_TRUE(find<QRadioButton>("optPaleo")->isChecked());
    ASSERT_EQ(list->recordModel()->rowCount(), 33);
    EXPECT_NE(list->recordModel()->rows()[1], geographic);
    EXPECT_EQ(find<QLineEdit>("txtSymbolSize")->text(), "17");

    // The layout buttons reach their widgets: cmdExpand widens the list over the pictures.
    const int narrow = list->width();
    find<QPushButton>("cmdExpand")->click();
    settle();
    EXPECT_TRUE(find<QWidget>("picStereo")->isHidden());
    EXPECT_GT(list->width(), 3 * narrow);
}

// A name typed for the mean tensor lasts until the data set changes.
TEST_F(MainWindowTest, ANameTypedForTheMeanTensorLastsUntilCloseWhichEmptiesEveryControl)
{
    openExample();
    auto* name = find<QLineEdit>("txtMeanName");
    name->clear();

    QTest::keyClicks(name, "BOHEM1 cleaved");
    find<QCheckBox>("chcMean")->click();
    settle();
    EXPECT_EQ(name->text(), "BOHEM1 cleaved");
    find<QAction>("mnuClose")->trigger();
    settle();
    EXPECT_EQ(name->text(), "");
    // Close shows the closed state in every kind of control.
    EXPECT_EQ(window->windowTitle(), "Tesmor 42 - Anisotropy data browser");
    for (const char* name : {"lstNames", "picStereo", "fraCoor"})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(find<gui::RecordListView>("lstNames")->recordModel()->rowCount(), 0);
    EXPECT_FALSE(find<QAction>("mnuSave")->isVisible());
    EXPECT_EQ(find<QLabel>("StatusBar1Panel1")->text(), "Site:");
    QTest::keyClicks(name, "x");
    openExample();

    EXPECT_EQ(name->text(), "BOHEM1");
}

// Every menu command is connected to its operation: in the closed and in the open state each
// enabled item runs one (or closes the window). The mean tensor's Save button is enabled with a
// data set.
TEST_F(MainWindowTest, EveryEnabledMenuItemRunsAnOperation)
{
    QStringList items;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->objectName().startsWith("mnu") && !action->menu() && !action->isSeparator())
            items << action->objectName();
    ASSERT_GE(items.size(), 25);

    for (bool open : {false, true}) {
        int reached = 0;
        for (const QString& name : items) {
            SCOPED_TRACE(name.toStdString() + (open ? " (open)" : " (closed)"));
            window->show();
            find<QAction>("mnuClose")->trigger();
            if (open)
                openExample();
            settle();
            auto* action = find<QAction>(name.toLatin1().constData());
            if (!action->isEnabled())
                continue;
            const int before = window->operationsRun();

            action->trigger();
            settle();

            EXPECT_TRUE(window->operationsRun() > before || !window->isVisible());
            ++reached;
        }
        EXPECT_GE(reached, open ? 6 : 4); // Open, Close, Exit, About; Export, Print, ... when open
        EXPECT_EQ(find<QPushButton>("cmdSave")->isEnabled(), open);
    }
}

// At the smallest window the program supports every label shows its whole text: the statistics
// with their widest values (a zero standard deviation reads 0.00E-100), the row captions and the
// status bar panels.
TEST_F(MainWindowTest, AtTheSmallestWindowEveryLabelShowsItsWholeText)
{
    openExample();
    window->resize(1024, 700);
    settle();
    for (const char* name : {"lblKmaver", "lblKmsd"})
        find<QLabel>(name)->setText("0.00E-100");
    for (const char* name : {"lblTaver", "lblUsd", "lblTmean"})
        find<QLabel>(name)->setText("-0.999");
    settle();

    ASSERT_EQ(window->size(), QSize(1024, 700));
    int checked = 0;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
            continue;
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(needed, label->contentsRect().width())
            << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 40);
    for (int panel = 1; panel <= 8; ++panel)
        EXPECT_TRUE(find<QLabel>(("StatusBar1Panel" + std::to_string(panel)).c_str())->isVisible());
}

TEST_F(MainWindowTest, TheTableGridIsEditedInPlaceAndMovedByItsKeys)
{
    openExample();
    bool ran = false;
    script->tableScript = [&ran](gui::TableWindow& table) {
        table.show();
        auto* grid = table.findChild<gui::EditGrid*>("Grid1");
        auto* save = table.findChild<QPushButton*>("cmdSave");
        ASSERT_TRUE(grid && save);
        EXPECT_FALSE(save->isEnabled());
        const auto at = [grid] {
            return std::pair(grid->currentIndex().row(), grid->currentIndex().column());
        };
        const auto editor = [grid] { return grid->indexWidget(grid->currentIndex()); };
        EXPECT_EQ(at(), std::pair(0, 0));
        QTest::keyClicks(editor(), "ZZ");
        QTest::keyClick(editor(), Qt::Key_Return);
        EXPECT_EQ(at(), std::pair(0, 1));
        EXPECT_TRUE(save->isEnabled());

        table.findChild<QPushButton*>("cmdSortName")->click();
        const QAbstractItemModel* model = grid->model();
        EXPECT_EQ(model->data(model->index(0, 0)).toString(), "BH01B");
        EXPECT_EQ(model->data(model->index(model->rowCount() - 1, 0)).toString(), "ZZ");
        ran = true;
    };
    find<QAction>("mnuEditData")->trigger();
    EXPECT_TRUE(ran);
}

} // namespace
} // namespace tesmor::test
