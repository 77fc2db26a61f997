// The table view on files written for each test: what a save writes byte by byte, the sorts,
// deleting rows, the cells a save refuses and the close protocol.

#include "app/table_view.h"
#include "app_fixture.h"

namespace tesmor::app {
namespace {

using TableViewTest = test_support::LoadedBrowserTest;
using Field = TableView::HeaderField;

// `names` with field codes `codes` (a scale of 250: a code of 250 reads as field 423, 100 as
// 141), planes stored as `P4` says.
std::string Site(const std::vector<std::string>& names, const std::vector<float>& codes,
                 const std::string& P4 = "0")
{
    testing::AmsFileBuilder builder;
    testing::AmsHeaderFields header;
    header.P4 = P4;
    builder.Header(header);
    for (std::size_t i = 0; i < names.size(); ++i) {
        testing::AmsSpecimenFields s;
        s.Name = names[i];
        s.FieldCode = codes[i];
        s.Group1 = {300, 40, 10, 5};
        builder.Specimen(s);
    }
    return builder.Bytes();
}

std::vector<std::string> Column(const TableView& view, int column)
{
    std::vector<std::string> cells;
    for (int row = 1; row <= view.RowCount(); ++row)
        cells.push_back(view.Cell(row, column));
    return cells;
}

TEST_F(TableViewTest, SavingInPlaceChangesOnlyTheEditedBytesAndReopensTheFile)
{
    const std::string path = writeFile("x.ran", 3);
    const std::string before = tesmor::test::ReadBytes(path);
    open({"x.ran"});
    ui.okAnswers = {true};
    ui.tableSteps.push_back([](TableView& view) {
        EXPECT_EQ(view.Header(Field::Site), "SITE");
        EXPECT_EQ(view.Cell(2, 11), "107");
        EXPECT_TRUE(view.SetCell(2, 7, "0.5"));
        EXPECT_TRUE(view.cmdSave_Click());
    });

    browser.mnuEditData_Click();

    const std::string after = tesmor::test::ReadBytes(path);
    ASSERT_EQ(after.size(), 4u * 64);
    EXPECT_EQ(testing::Int16At(after, 0), 5);
    std::string expected = before;
    testing::PutFloat32(expected, 2 * 64 + 20 + 4 * 3, 0.5f);
    EXPECT_EQ(after, expected);
    EXPECT_EQ(ui.questions.back().text, "Overwrite existing  <<" + path + ">> file?");
    EXPECT_EQ(state().Data.LoadedRecords[1].K12, 0.5f);
    EXPECT_FALSE(state().Cancelled);
    EXPECT_EQ(state().FileKind, model::FileKind::BinaryAll);
}

TEST_F(TableViewTest, StrikesHeaderAndCodesGoBackAsShownOrTyped)
{
    tesmor::test::WriteBytes(dataFolder() + "s.ran", Site({"A"}, {250}, "90"));
    open({"s.ran"});
    TableView view(state(), ui);
    EXPECT_TRUE(state().Cancelled);
    EXPECT_EQ(view.Cell(1, 11), "300"); // the strike as stored, not the dip direction 30
    view.SetHeader(Field::Lat, "45.5");
    view.SetHeader(Field::Lon, "7.25");
    view.SetCell(1, 15, "");
    ASSERT_FALSE(view.SaveTable(dataFolder() + "t.ran"));

    const std::string bytes = tesmor::test::ReadBytes(dataFolder() + "t.ran");
    EXPECT_EQ(testing::Int16At(bytes, 64 + 46), 300);
    EXPECT_EQ(bytes.substr(18, 14), "45.5   7.25   ");
    EXPECT_EQ(bytes.substr(57, 3), "90 ");
    EXPECT_EQ(bytes.substr(64 + 54, 2), "00");
}

TEST_F(TableViewTest, SortsKeepEqualKeysInOrderAndReorderTheLoadedRecords)
{
    tesmor::test::WriteBytes(dataFolder() + "s.ran",
                             Site({"B2", "A1", "B1", "C"}, {250, 100, 250, 250}));
    open({"s.ran"});
    TableView view(state(), ui);
    view.SetCell(4, 1, "A0"); // sorts by the typed name, and the typed name moves along
    view.cmdSortName_Click();
    EXPECT_EQ(Column(view, 1), (std::vector<std::string> {"A0", "A1", "B1", "B2"}));
    EXPECT_EQ(state().Data.LoadedRecords[0].Name, "C");
    EXPECT_EQ(state().Data.LoadedRecords[0].Index, 1);

    view.cmdSortField_Click();
    EXPECT_EQ(Column(view, 1), (std::vector<std::string> {"A1", "A0", "B1", "B2"}));
    EXPECT_TRUE(view.Modified());
}

TEST_F(TableViewTest, DeletedRowsRenumberAndLeaveTheSavedFile)
{
    writeFile("x.ran", 5);
    open({"x.ran"});
    TableView view(state(), ui);
    view.cmdGEDDelete_Click(2);
    EXPECT_EQ(Column(view, 1), (std::vector<std::string> {"S1", "S3", "S4", "S5"}));
    ASSERT_FALSE(view.SaveTable(dataFolder() + "t.ran"));
    EXPECT_EQ(tesmor::test::ReadBytes(dataFolder() + "t.ran").size(), 5u * 64);

    for (int i = 0; i < 4; ++i)
        view.cmdGEDDelete_Click(1);
    EXPECT_EQ(view.RowCount(), 1);
    EXPECT_EQ(ui.messages.back().text, "You cannot delete all records!");
}

TEST_F(TableViewTest, BadCellsRefuseTheSaveNamingRowAndColumnAndWriteNothing)
{
    const std::string path = writeFile("x.ran", 3);
    const std::string before = tesmor::test::ReadBytes(path);
    open({"x.ran"});
    struct Case
    {
        int row, column;
        std::string text, message;
    };
    for (const Case& c : std::vector<Case> {
             {2, 7, "1x", "Row 2, column \"K12\": \"1x\" is not a number."},
             {3, 12, "40000",
              "Row 3, column \"F1i\": \"40000\" is not an angle from -32768 "
              "to 32767."},
             {1, 2, "", "Row 1, column \"Mean\": \"\" is not a number."},
             {0, 0, "abc", "Orientation parameter P1: \"abc\" is not a whole number."}}) {
        SCOPED_TRACE(c.message);
        TableView view(state(), ui);
        if (c.row == 0)
            view.SetHeader(Field::P1, c.text);
        else
            view.SetCell(c.row, c.column, c.text);
        ui.okAnswers = {true};
        EXPECT_FALSE(view.cmdSave_Click());
        EXPECT_EQ(ui.messages.back().text, c.message);
        EXPECT_EQ(tesmor::test::ReadBytes(path), before);
        EXPECT_TRUE(state().Cancelled);
        EXPECT_EQ(view.Cell(c.row, c.column), c.row == 0 ? "" : c.text);
    }
}

TEST_F(TableViewTest, SavingATextFormatAsksForANameAndClosingAsksAboutChanges)
{
    writeFile("x.ran", 3);
    open({"x.ran"});
    state().FileKind = model::FileKind::Pro; // as after opening a ".pro" file
    TableView view(state(), ui);
    EXPECT_TRUE(view.QueryClose()); // nothing changed: no question
    EXPECT_TRUE(ui.questions.empty());

    view.SetCell(1, 1, "NEW");
    EXPECT_FALSE(view.QueryClose()); // go back
    EXPECT_TRUE(ui.saveRequests.empty());
    ui.saveChoices = {SaveChoice::Save}; // then the save dialog, cancelled
    EXPECT_FALSE(view.QueryClose());
    EXPECT_EQ(ui.saveRequests.back().filter, "Varkel AMS format (*.ran)|*.ran");
    EXPECT_EQ(ui.saveRequests.back().initialName, "x");

    ui.saveAnswers = {{dataFolder() + "missing/n.ran", 1}}; // the write fails: nothing changes
    EXPECT_FALSE(view.cmdSaveAs_Click());
    EXPECT_EQ(ui.messages.back().title, "Output error!");
    EXPECT_EQ(state().BaseName, "x");

    ui.saveAnswers = {{dataFolder() + "named.ran", 1}};
    EXPECT_TRUE(view.cmdSaveAs_Click());
    EXPECT_EQ(state().BaseName, "named");
    EXPECT_EQ(state().FilesToOpen, std::vector<std::string> {dataFolder() + "named.ran"});
    ui.saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(view.QueryClose());
    EXPECT_TRUE(state().Cancelled);
}

} // namespace
} // namespace tesmor::app
