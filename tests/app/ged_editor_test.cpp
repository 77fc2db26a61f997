// The geological-data editor: typing a table, the save rules and refusals, deleting rows, and
// closing, driven through the browser's commands with a scripted person.

#include "app/ged_editor.h"
#include "app_fixture.h"

namespace tesmor::app {
namespace {

using GedEditorTest = test_support::LoadedBrowserTest;

// Types `rows` (name, azimuth, plunge, code 1, ...) from row 1 on.
void Type(GedEditor& editor, const std::vector<std::vector<std::string>>& rows, int first = 1)
{
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            editor.SetCell(first + static_cast<int>(r), static_cast<int>(c) + 1, rows[r][c]);
}

TEST_F(GedEditorTest, ANewTableIsSavedUpToTheFirstEmptyNameAfterAQuestionAndOpensAgain)
{
    state().DefaultP1 = 12;
    state().DefaultP4 = 90;
    browser.mnuNewGED_Click();
    GedEditor& editor = *ui.gedEditor;
    ASSERT_EQ(ui.windows, (decltype(ui.windows) {{WindowId::GedEditor, false}}));
    EXPECT_EQ(editor.Rows(), 100);
    EXPECT_EQ(editor.Header().cboP1, "12");
    EXPECT_EQ(editor.Header().cboP4, "90");
    editor.SetHeaderText(&GedEditorHeader::txtSite, "Brda");
    editor.SetHeaderText(&GedEditorHeader::txtLat, "45.5");
    editor.SetHeaderText(&GedEditorHeader::txtLon, "7.25");
    Type(editor,
         {{"A1", "120", "35"}, {"A2", "300", "12.5", "BL", "40", "20.5"}, {"", "7"}, {"A4"}});
    const std::string path = dataFolder() + "new.ged";

    // Cancelling the question about row 4 writes nothing and keeps the window; OK saves rows 1-2
    // into the name chosen in the save dialog.
    editor.cmdSave_Click();
    EXPECT_FALSE(editor.Closed());
    ui.okAnswers = {true};
    ui.saveAnswers = {{path}};
    editor.cmdSave_Click();

    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[1].text,
              "Row 3 has no specimen name, so the table ends there.\r\n"
              "Rows 3, 4 hold entries that will not be saved.\r\n\r\n"
              "Save rows 1 to 2 only?");
    EXPECT_EQ(ui.saveRequests.at(0).filter, "Geological file (*.ged)|*.ged");
    EXPECT_TRUE(ui.saveRequests[0].confirmOverwrite);
    EXPECT_TRUE(editor.Closed());
    const std::string bytes = tesmor::test::ReadBytes(path);
    const std::string blanks(16, ' '), zeros = "0   0   0   0   ";
    EXPECT_EQ(bytes,
              "4   Brda" + blanks.substr(4) + "45.5   7.25   " + blanks + "12 0  0  90 \r\n" + "A1"
                  + blanks.substr(6) + "120 35  00  " + zeros + "00  " + zeros + "  \r\n" + "A2"
                  + blanks.substr(6) + "300 12  BL  40  20  0   0   00  " + zeros + "  \r\n");

    open({"new.ged"}, test_support::GedEntry);
    GedEditor& reopened = *ui.gedEditor;
    EXPECT_EQ(ui.windows.back(), std::make_pair(WindowId::GedEditor, true));
    EXPECT_EQ(reopened.caption, "Geological file(s) -  [" + dataFolder() + "new.ged]");
    EXPECT_EQ(reopened.Rows(), 102);
    EXPECT_EQ(reopened.Header().txtLat, "45.5");
    EXPECT_EQ(reopened.Header().txtLon, "7.25");
    EXPECT_EQ(reopened.Cell(2, 4), "BL");
    EXPECT_FALSE(reopened.Modified());
}

TEST_F(GedEditorTest, BadValuesRefuseTheSaveNamingTheirPlaceAndTheFileStaysAsItWas)
{
    const std::string path = dataFolder() + "site.ged";
    formats::GedEntry old;
    old.Name = "OLD";
    ASSERT_FALSE(formats::WriteGedFile(path, {old}));
    const std::string before = tesmor::test::ReadBytes(path);
    struct Case
    {
        int row, column;
        std::string GedEditorHeader::*field;
        std::string text, message;
    };
    const std::vector<Case> cases = {
        {2, 6, nullptr, "4O", "Row 2, column \"F1Inc\": \"4O\" is not an angle from -999 to 9999."},
        {1, 2, nullptr, "40000", "Row 1, column \"Azimuth\": \"40000\""},
        {0, 0, &GedEditorHeader::cboP1, "abc", "P1: \"abc\" is not a whole number"},
        {0, 0, &GedEditorHeader::txtLat, "north", "Latitude: \"north\" is not a number"},
        {0, 0, &GedEditorHeader::txtLon, "-123.456", "Longitude: \"-123.456\""},
        {1, 1, nullptr, "", "Row 1 has no specimen name"},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.text);
        ui.messages.clear();
        open({"site.ged"}, test_support::GedEntry);
        GedEditor& editor = *ui.gedEditor;
        Type(editor, {{"NEW", "10", "20"}}, 2);
        if (t.field)
            editor.SetHeaderText(t.field, t.text);
        else
            editor.SetCell(t.row, t.column, t.text);

        editor.cmdSave_Click();

        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(t.message, 0), 0u) << ui.messages[0].text;
        EXPECT_TRUE(!editor.Closed() && editor.Modified());
        EXPECT_EQ(tesmor::test::ReadBytes(path), before);
        editor.cmdGEDCancel_Click();
    }
}

TEST_F(GedEditorTest, DeletingARowRenumbersAndATitleBarCloseAsksAboutEdits)
{
    browser.mnuNewGED_Click();
    GedEditor& editor = *ui.gedEditor;
    Type(editor, {{"S1"}, {"S2"}, {"S3"}, {"S4"}, {"S5"}});
    editor.SetCurrent({2, 3});

    editor.cmdGEDDelete_Click();

    EXPECT_EQ(editor.Rows(), 99);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(editor.Cell(row, 0), std::to_string(row));
        EXPECT_EQ(editor.Cell(row, 1), "S" + std::to_string(row < 2 ? row : row + 1));
    }
    // Go back keeps the window; a failed write (no such folder) says why and stays open; the
    // third close discards.
    EXPECT_FALSE(editor.QueryClose());
    ui.saveChoices = {SaveChoice::Save, SaveChoice::Discard};
    ui.saveAnswers = {{dataFolder() + "missing/x.ged"}};
    EXPECT_FALSE(editor.QueryClose());
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(editor.QueryClose());
    EXPECT_TRUE(editor.Closed());
    EXPECT_EQ(ui.questions.size(), 3u);
}

} // namespace
} // namespace tesmor::app
