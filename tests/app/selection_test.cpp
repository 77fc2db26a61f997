// Selecting, disregarding and restoring records, and merging a geological file: operation
// sequences with scripted answers, checked on records, flags, list rows and controls.

#include "app_fixture.h"
#include "formats/ged_file.h"

namespace tesmor::app {
namespace {

using math::CoordinateSystem;
using SelectionTest = test_support::LoadedBrowserTest;
using test_support::Rows;

std::vector<std::string> Names(const model::Records& records, bool selectedOnly = false)
{
    std::vector<std::string> names;
    for (const model::SpecimenRecord& r : records)
        if (!selectedOnly || r.Selected)
            names.push_back(r.Name);
    return names;
}

TEST_F(SelectionTest, DisregardKeepsTheUnselectedRecordsOrRefusesToDisregardAll)
{
    const model::UserMessage refusal {"You cannot disregard all records!", "Disregard error",
                                      model::MessageIcon::Exclamation};
    struct Case
    {
        int records;
        std::vector<int> rows;
        bool refused;
        std::vector<std::string> left;
    };
    const std::vector<Case> cases = {
        {5, {1, 2, 3, 4, 5}, true, {"S1", "S2", "S3", "S4", "S5"}},
        {5, {1, 2, 3, 4}, false, {"S5"}},
        {6, {2, 3}, false, {"S1", "S4", "S5", "S6"}},
        {5, {}, false, {"S1", "S2", "S3", "S4", "S5"}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.records);
        writeFile("x.ran", t.records);
        open({"x.ran"});
        ui.messages.clear();

        browser.lstNames_Release(Rows(t.records, t.rows));
        browser.mnuDisregardSelectedRecords_Click();

        EXPECT_EQ(ui.messages,
                  t.refused ? std::vector {refusal} : std::vector<model::UserMessage> {});
        EXPECT_EQ(Names(state().Data.ActiveRecords), t.left);
        EXPECT_EQ(Names(state().Data.WorkingRecords), t.left);
        EXPECT_EQ(c().lstNames.rows.size(), t.left.size() + 1);
        EXPECT_EQ(c().lblN.text, std::to_string(t.left.size()));
        EXPECT_EQ(c().lblStatisticsInfo.visible, t.left.size() < 5);
        EXPECT_EQ(c().lstNames.selected[1], t.refused);
    }
}

TEST_F(SelectionTest, InvertClearAndRestoreKeepListAndFlagsEqual)
{
    writeFile("x.ran", 10);
    open({"x.ran"});
    browser.lstNames_Release(Rows(10, {2, 5, 9}));
    EXPECT_EQ(Names(state().Data.WorkingRecords, true),
              (std::vector<std::string> {"S2", "S5", "S9"}));

    browser.mnuInvertSelection_Click();

    const std::vector<std::string> others = {"S1", "S3", "S4", "S6", "S7", "S8", "S10"};
    EXPECT_EQ(Names(state().Data.ActiveRecords, true), others);
    EXPECT_EQ(Names(state().Data.WorkingRecords, true), others);
    EXPECT_EQ(c().lstNames.selected, Rows(10, {1, 3, 4, 6, 7, 8, 10}));

    browser.mnuDisregardSelectedRecords_Click();
    ASSERT_EQ(Names(state().Data.ActiveRecords), (std::vector<std::string> {"S2", "S5", "S9"}));
    browser.lstNames_Release(Rows(3, {1}));
    browser.mnuClearSelection_Click();
    EXPECT_EQ(c().lstNames.selected, Rows(3, {}));
    EXPECT_TRUE(Names(state().Data.WorkingRecords, true).empty());

    // Restoring brings every record back, with the statistics of the opened set.
    const auto picture = c().picStereo.revision;
    browser.mnuRestoreAllRecords_Click();
    EXPECT_EQ(state().Data.ActiveRecords.size(), 10u);
    EXPECT_EQ(c().lblN.text, "10");
    EXPECT_GT(c().picStereo.revision, picture);
}

// A record without the chosen foliation has no tectonic coordinates: when those that have it
// are disregarded, the tectonic system shows no record, and disregarding is refused there too.
// Working records without an active counterpart are inverted all the same.
TEST_F(SelectionTest, AnEmptyTectonicSetRefusesToDisregardAndInvertsTheWorkingRecords)
{
    writeFile("a.ran", 1, "BL", "SK");
    writeFile("b.ran", 5, "BL", "00");
    open({"a.ran", "b.ran"});
    browser.lstNames_Release(Rows(6, {1}));
    browser.mnuDisregardSelectedRecords_Click();
    browser.cboFoli_Click(1);
    browser.optTecto_Click();
    ASSERT_EQ(state().CoordSystem, CoordinateSystem::Tectonic);
    ASSERT_TRUE(state().Data.ActiveRecords.empty());

    browser.mnuDisregardSelectedRecords_Click();
    EXPECT_EQ(ui.messages.back().text, "You cannot disregard all records!");
    browser.mnuInvertSelection_Click();
    EXPECT_EQ(Names(state().Data.WorkingRecords, true).size(), 5u);
}

TEST_F(SelectionTest, TheCommandsActOnlyInTheOpenState)
{
    for (bool open : {false, true}) {
        if (open) {
            writeFile("x.ran", 5);
            this->open({"x.ran"});
        }
        for (const MenuItem* item :
             {&c().mnuInvertSelection, &c().mnuDisregardSelectedRecords, &c().mnuRestoreAllRecords,
              &c().mnuClearSelection, &c().mnuSave, &c().mnuSaveAs, &c().mnuSaveSelectedRecords,
              &c().mnuRot_SpecToGeo, &c().mnuRot_GeoToSpec})
            EXPECT_EQ(item->enabled, open);
        EXPECT_EQ(c().cmdSave.enabled, open);
        EXPECT_TRUE(c().mnuNewGED.enabled);
    }
    browser.mnuClose_Click();
    browser.mnuDisregardSelectedRecords_Click();
    browser.mnuSaveAs_Click();
    browser.cmdSave_Click();
    browser.mnuRot_GeoToSpec_Click();
    EXPECT_TRUE(ui.messages.empty() && ui.saveRequests.empty() && ui.openRequests.empty());
}

// The rotation commands: a geological file gives the specimens their orientation and turns
// their tensors; the way back leaves only the specimen system.
TEST_F(SelectionTest, GeologicalMergesSwitchTheSystemOrChangeNothing)
{
    formats::GedEntries entries;
    formats::GedEntry e;
    std::tie(e.Site, e.Plunge, e.Code1, e.F1Dec, e.F1Inc, e.Code2, e.F2Dec, e.F2Inc, e.P1, e.P3)
        = std::tuple("SITE", 30, "BL00", 120, 40, "SK00", 200, 60, 12, 12);
    for (int i = 1; i <= 5; ++i) {
        e.Name = "S" + std::to_string(i);
        e.Azimuth = static_cast<std::int16_t>(40 * i);
        entries.push_back(e);
    }
    const std::string ged = dataFolder() + "site.ged";
    ASSERT_FALSE(formats::WriteGedFile(ged, entries));
    tesmor::test::WriteBytes(dataFolder() + "bad.ged", "not a geological file");
    writeFile("x.ran", 5, "SS", "00");
    open({"x.ran"});
    const model::Records opened = state().Data.LoadedRecords;
    state().GedMatchMode = 2;

    // Cancel in the file dialog or in frmCopyGED, or a damaged file, change nothing.
    ui.openAnswers = {{}, {ged}, {dataFolder() + "bad.ged"}};
    ui.matchAnswers = {0, 1};
    for (int i = 0; i < 3; ++i)
        browser.mnuRot_SpecToGeo_Click();
    EXPECT_EQ(ui.matchModesShown, (std::vector<int> {2, 2}));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.openRequests.front().filter, "Geological file(s) (*.ged)|*.ged");
    EXPECT_EQ(state().Data.LoadedRecords.front().K11, opened.front().K11);
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Specimen);

    ui.openAnswers = {{ged}};
    ui.matchAnswers = {2};
    browser.mnuRot_SpecToGeo_Click();
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Geographic);
    EXPECT_TRUE(c().optGeo.checked && c().optGeo.enabled && c().optTecto.enabled);
    EXPECT_FALSE(c().optSpec.checked || c().optSpec.enabled);
    EXPECT_EQ(c().cboFoli.items, (std::vector<std::string> {"B", "S"}));
    EXPECT_NE(state().Data.LoadedRecords.front().K11, opened.front().K11);

    ui.openAnswers = {{ged}};
    ui.matchAnswers = {2};
    browser.mnuRot_GeoToSpec_Click();
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Specimen);
    EXPECT_TRUE(c().optSpec.checked && c().optSpec.enabled);
    for (const OptionButton* option : {&c().optGeo, &c().optPaleo, &c().optTecto})
        EXPECT_FALSE(option->enabled || option->checked);
    EXPECT_NEAR(state().Data.LoadedRecords.front().K11, opened.front().K11, 1e-5);
}

} // namespace
} // namespace tesmor::app
