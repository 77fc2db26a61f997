// Option handlers and navigation between the files of the folder.

#include "app_fixture.h"
#include "formats/ged_file.h"

namespace tesmor::app {
namespace {

using math::CoordinateSystem;
using OptionsTest = test_support::LoadedBrowserTest;

TEST_F(OptionsTest, StructureChoicesApplyAtTheNextCoordinateAction)
{
    writeFile("f.ran", 6, "BL", "SK");
    open({"f.ran"});
    browser.cboFoli_Click(1);
    browser.cboLine_Click(1);

    browser.optTecto_Click();

    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Tectonic);
    EXPECT_EQ(state().FoliationName, "S");
    EXPECT_EQ(state().LineationName, "K");
    EXPECT_TRUE(c().optTecto.checked && !c().optGeo.checked);

    // A new lineation waits: the records stay as they are until the foliation is chosen again.
    const model::Records before = state().Data.ActiveRecords;
    browser.cboLine_Click(2);
    EXPECT_EQ(c().cboLine.text, "L");
    EXPECT_EQ(state().LineationName, "K");
    EXPECT_EQ(state().Data.ActiveRecords.size(), before.size());
    browser.cboFoli_Click(0);
    EXPECT_EQ(state().LineationName, "L");
}

// The layout buttons toggle the list, the views and the option rows; a projection click redraws
// and focuses the net only while a set is open.
TEST_F(OptionsTest, LayoutButtonsAndTheProjectionClick)
{
    browser.vslSymbolSize_Change(14);
    EXPECT_EQ(c().txtSymbolSize.text, "14");
    EXPECT_EQ(c().focus, "txtSymbolSize");

    browser.cmdExpand_Click();
    EXPECT_EQ(c().cmdExpand.caption, "<<");
    EXPECT_EQ(c().lstNames.width, 1010);
    EXPECT_FALSE(c().picStereo.visible || c().fraMeanTensor.visible);
    browser.cmdExpand_Click();
    EXPECT_EQ(c().lstNames.width, 154);
    EXPECT_TRUE(c().lblCoor.visible);

    browser.cmdPlot2_Click();
    EXPECT_TRUE(c().optLF.visible);
    EXPECT_EQ(c().cmdPlot2.picture, programFolder() + "ARW01UPSmall.ico");
    browser.cmdPlot2_Click();
    EXPECT_FALSE(c().lblPlot2.visible);
    EXPECT_EQ(c().cmdPlot2.picture, programFolder() + "ARW01dnSmall.ico");

    browser.optEqualAngle_Click();
    browser.optHKm_Click();
    const std::int16_t closedProjection = state().Projection;
    const std::int16_t closedPlot = state().Plot1Kind;
    writeFile("x.ran", 5);
    open({"x.ran"});
    const auto revision = c().picStereo.revision;

    browser.optEqualAngle_Click();

    EXPECT_EQ(closedProjection, 2);
    EXPECT_EQ(closedPlot, 1);
    EXPECT_EQ(state().Projection, 1);
    EXPECT_TRUE(c().optEqualAngle.checked && !c().optEqualArea.checked);
    EXPECT_GT(c().picStereo.revision, revision);
    EXPECT_EQ(c().focus, "picStereo");
}

TEST_F(OptionsTest, RegionSelectorChangesTheEllipsesOfTheNetAndThePanelBlock)
{
    writeFile("r.ran", 8);
    open({"r.ran"});
    EXPECT_FALSE(c().lblRegion.visible || state().ViewData().options.regionChosen);

    for (const auto& [index, start] : {std::pair(1, "Hext  N 8  nf 42"), {2, "Bootstrap  N 8"}}) {
        SCOPED_TRACE(index);
        const auto revision = c().picStereo.revision;
        browser.cboRegion_Click(index);
        EXPECT_GT(c().picStereo.revision, revision);
        EXPECT_TRUE(c().lblRegion.visible);
        EXPECT_EQ(c().lblRegion.text.rfind(start, 0), 0u) << c().lblRegion.text;
        const plot::ViewOptions options = state().ViewData().options;
        EXPECT_TRUE(options.regionChosen);
        EXPECT_EQ(options.regionCurves[2].size(), std::size_t(math::EllipseCurvePoints));
    }
    EXPECT_NE(c().lblRegion.text.find("1000 samples  seed 1"), std::string::npos);

    // Above the window's limit the bootstrap is left to the batch tool.
    RegionStatistics large;
    ComputeRegion(state().Data.ActiveRecords, math::Projection::EqualArea,
                  ConfidenceRegion::Bootstrap, 1, 1, 7, large);
    EXPECT_TRUE(large.BootstrapTooLarge && RegionCurves(large)[0].empty());

    browser.cboRegion_Click(0);
    EXPECT_FALSE(c().lblRegion.visible);
}

class NavigationTest : public test_support::LoadedBrowserTest
{
protected:
    NavigationTest()
    {
        for (const char* name : {"a.ran", "b.ran", "c.ran"})
            writeFile(name, 3);
    }
};

TEST_F(NavigationTest, PreviousAndNextWrapAroundTheFolder)
{
    open({"c.ran"});
    ASSERT_EQ(state().FolderFileIndex, 3);

    browser.mnuNext_Click();
    EXPECT_EQ(state().FileName, "a.ran");
    EXPECT_EQ(state().FolderFileIndex, 1);

    browser.mnuPrevious_Click();
    EXPECT_EQ(state().FileName, "c.ran");
    EXPECT_EQ(c().frmMain.caption, "Tesmor 42 - [" + dataFolder() + "c.ran]");
}

// A geological file goes to the editor; its folder list is ignored and the set stays usable.
TEST_F(NavigationTest, GeologicalFilesGoToTheEditorAndTheSetStaysUsable)
{
    ASSERT_FALSE(formats::WriteGedFile(dataFolder() + "g1.ged", {formats::GedEntry {}}));
    tesmor::test::WriteBytes(dataFolder() + "g2.ged", "x");
    open({"b.ran"});
    open({"g1.ged"}, test_support::GedEntry);
    EXPECT_EQ(state().FileKind, model::FileKind::Geological);
    EXPECT_EQ(state().GedFileName, "g1.ged");
    EXPECT_EQ(ui.windows, (decltype(ui.windows) {{WindowId::GedEditor, true}}));
    open({"g2.ged"}, test_support::GedEntry); // damaged: a message, no editor
    EXPECT_EQ(ui.windows.size(), 1u);
    EXPECT_EQ(ui.messages.size(), 1u);

    browser.mnuNext_Click();

    EXPECT_EQ(state().FileName, "b.ran");
    EXPECT_TRUE(state().ViewsReady);
    EXPECT_EQ(c().lstNames.rows.size(), 4u);
}

} // namespace
} // namespace tesmor::app
