// The example site of the project through the whole browser: open, change systems and plots.

#include "app_fixture.h"
#include "plot/recording_canvas.h"

namespace tesmor::app {
namespace {

class ExampleSiteTest : public test_support::LoadedBrowserTest
{
protected:
    ExampleSiteTest()
    {
        std::filesystem::copy_file(tesmor::test::SourceDir() / "examples/site/BOHEM1.ran",
                                   dataFolder() + "BOHEM1.ran");
        open({"BOHEM1.ran"});
    }

    void expectListingAndPictures()
    {
        const std::size_t n = state().Data.ActiveRecords.size();
        EXPECT_EQ(c().lstNames.rows.size(), n + 1);
        EXPECT_EQ(c().lblN.text, std::to_string(n));
        for (const Picture* picture : {&c().picStereo, &c().picPlot1, &c().picPlot2}) {
            ASSERT_NE(picture->picture, nullptr);
            EXPECT_FALSE(picture->picture->empty());
        }
    }
};

// Export offers every picture format and writes under the comment; printing prints the page
// under the base name and reports a failure.
TEST_F(ExampleSiteTest, ExportsAndPrintsThePageUnderTheBaseNameAndReportsAFailure)
{
    ui.saveAnswers = {{dataFolder() + "views.svg", 2}, {"", 1}};
    ui.printFailure = model::UserMessage {"The printer could not be started.", "Print error",
                                          model::MessageIcon::Exclamation};

    browser.mnuExport_Click();
    browser.mnuExport_Click();
    browser.mnuPrint_Click();
    browser.mnuClose_Click();
    browser.mnuPrint_Click();

    ASSERT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].initialName, "BOHEM1");
    EXPECT_EQ(ui.saveRequests[0].filter.rfind("Windows metafile (*.wmf)|*.wmf|", 0), 0u);
    EXPECT_TRUE(ui.saveRequests[0].confirmOverwrite);
    ASSERT_EQ(ui.exported.size(), 1u);
    EXPECT_EQ(ui.exported[0], std::make_pair(dataFolder() + "views.svg", std::string("Comment")));
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(ui.printed[0], std::make_pair(std::string("BOHEM1"), std::size_t(32)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Print error");
}

TEST_F(ExampleSiteTest, OpensAndEverySystemPlotKindAndSchemeKeepsListingAndPicturesInStep)
{
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(c().txtMeanName.text, "BOHEM1");
    expectListingAndPictures();
    for (void (Browser::*option)() :
         {&Browser::optPaleo_Click, &Browser::optTecto_Click, &Browser::optGeo_Click,
          &Browser::optPjKm_Click, &Browser::optPLogKm_Click, &Browser::optHKm_Click,
          &Browser::optPjT_Click, &Browser::optLF_Click, &Browser::optPU_Click,
          &Browser::cmdBW_Click, &Browser::optEqualAngle_Click}) {
        (browser.*option)();
        expectListingAndPictures();
    }
    EXPECT_TRUE(c().optGeo.checked);
    EXPECT_EQ(state().Plot1Kind, 4);
    EXPECT_EQ(state().Plot2Kind, 4);
}

} // namespace
} // namespace tesmor::app
