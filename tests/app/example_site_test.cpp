// The example site of the project through the whole browser: open, change systems, close.

#include "app_fixture.h"
#include "plot/recording_canvas.h"

namespace tesmor::app {
namespace {

class ExampleSiteTest : public test_support::BrowserTest
{
protected:
    ExampleSiteTest()
    {
        load();
        std::filesystem::copy_file(tesmor::test::SourceDir() / "examples/site/BOHEM1.ran",
                                   dataFolder() + "BOHEM1.ran");
        open({"BOHEM1.ran"});
    }
};

TEST_F(ExampleSiteTest, OpensWithItsListingStatisticsAndPictures)
{
    const std::size_t n = state().Data.LoadedRecords.size();

    ASSERT_GE(n, 5u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(c().lstNames.rows.size(), n + 1);
    EXPECT_EQ(c().lblN.text, std::to_string(n));
    EXPECT_EQ(c().lblKmmean.text, "N/A");
    EXPECT_EQ(c().txtMeanName.text, "BOHEM1");
    for (const Picture* picture : {&c().picStereo, &c().picPlot1, &c().picPlot2})
        EXPECT_FALSE(picture->picture->empty());
}

TEST_F(ExampleSiteTest, EveryCoordinateSystemKeepsTheListingInStepWithTheRecords)
{
    for (void (Browser::*option)() :
         {&Browser::optPaleo_Click, &Browser::optTecto_Click, &Browser::optGeo_Click}) {
        (browser.*option)();

        EXPECT_EQ(c().lstNames.rows.size(), state().Data.ActiveRecords.size() + 1);
        EXPECT_EQ(c().lblN.text, std::to_string(state().Data.ActiveRecords.size()));
    }
    EXPECT_TRUE(c().optGeo.checked);
}

TEST_F(ExampleSiteTest, EveryPlotKindAndSchemeRecordsAPicture)
{
    for (void (Browser::*option)() :
         {&Browser::optPjKm_Click, &Browser::optPLogKm_Click, &Browser::optHKm_Click,
          &Browser::optPjT_Click, &Browser::optLF_Click, &Browser::optPU_Click,
          &Browser::cmdBW_Click, &Browser::optEqualAngle_Click}) {
        (browser.*option)();

        EXPECT_FALSE(c().picPlot1.picture->empty());
        EXPECT_FALSE(c().picPlot2.picture->empty());
    }
    EXPECT_EQ(state().Plot1Kind, 4);
    EXPECT_EQ(state().Plot2Kind, 4);
}

} // namespace
} // namespace tesmor::app
