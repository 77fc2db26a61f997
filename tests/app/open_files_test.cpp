// Opening data sets: names, title, coordinate system chosen from the data, structure lists,
// failures, and the closed state.

#include "app_fixture.h"
#include "plot/recording_canvas.h"
#include "sample_site.h"

namespace tesmor::app {
namespace {

using math::CoordinateSystem;
using OpenFilesTest = test_support::LoadedBrowserTest;

// One file names the title, the mean and the status bar; two leave them bare.
TEST_F(OpenFilesTest, OneFileNamesTheTitleAndTheMeanTwoDoNotAndACancelledOpenKeepsThem)
{
    writeFile("x.ran", 6);
    writeFile("a.ran", 3, "BL", "00", "ONE");
    writeFile("b.ran", 2, "BL", "00", "TWO");
    open({"x.ran"});

    EXPECT_EQ(c().frmMain.caption, "Tesmor 42 - [" + dataFolder() + "x.ran]");
    EXPECT_EQ(c().txtMeanName.text, "x");
    EXPECT_EQ(c().StatusBar1.panels[0], "Site: SITE");
    EXPECT_EQ(c().StatusBar1.panels[5], "Lithostratigraphy: MOLD");
    EXPECT_TRUE(c().txtMeanName.enabled && c().mnuSave.visible && c().mnuNext.visible);
    EXPECT_EQ(c().lstNames.rows.size(), 7u);

    // A cancelled dialog changes nothing.
    ui.CancelNextOpen();
    browser.mnuOpen_Click();
    EXPECT_TRUE(state().Cancelled && state().ViewsReady);
    EXPECT_EQ(c().txtMeanName.text, "x");

    open({"a.ran", "b.ran"});

    EXPECT_EQ(c().frmMain.caption, "Tesmor 42 - [" + dataFolder() + "]");
    EXPECT_EQ(c().txtMeanName.text, "");
    EXPECT_EQ(c().StatusBar1.panels[0], "Site:");
    EXPECT_EQ(c().StatusBar1.panels[7], "Instrument:");
    EXPECT_EQ(state().Data.LoadedRecords.size(), 5u);
    EXPECT_EQ(state().Data.LoadedRecords[3].Site, "TWO");
    EXPECT_EQ(state().Data.LoadedRecords[4].Index, 5);
}

TEST_F(OpenFilesTest, SpecimenSetOffersOnlyOptSpecUntilAnOrientedSetOpens)
{
    writeFile("geo.ran", 5);
    writeFile("ss.ran", 5, "SS");
    open({"geo.ran"});
    browser.optPaleo_Click();

    open({"ss.ran"});

    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Specimen);
    EXPECT_TRUE(c().optSpec.enabled && c().optSpec.checked);
    for (const OptionButton* option : {&c().optGeo, &c().optPaleo, &c().optTecto,
                                       &c().optPaleoHorizontal, &c().optPaleoVertical})
        EXPECT_FALSE(option->enabled);
    EXPECT_TRUE(state().FoliationTypes.empty() && c().lstFoli.rows.empty());

    // optSpec keeps the paleo references disabled until the next open.
    browser.optSpec_Click();
    EXPECT_FALSE(c().optPaleoHorizontal.enabled || c().optPaleoVertical.enabled);

    open({"geo.ran"});
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Geographic);
    EXPECT_TRUE(c().optGeo.checked && !c().optSpec.enabled);
    EXPECT_TRUE(c().optPaleoHorizontal.enabled && c().optPaleoVertical.enabled);
}

TEST_F(OpenFilesTest, FoliationsFillTheStructureControls)
{
    writeFile("f.ran", 4, "BL", "SK");

    open({"f.ran"});

    EXPECT_EQ(c().lstFoli.rows, (std::vector<std::string> {"B  (N= 4)", "S  (N= 4)"}));
    EXPECT_EQ(c().cboFoli.items, (std::vector<std::string> {"B", "S"}));
    EXPECT_EQ(c().cboFoli.text, "B");
    EXPECT_EQ(c().cboLine.items, (std::vector<std::string> {"0", "K", "L"}));
    EXPECT_EQ(c().cboLine.text, "0");
    EXPECT_TRUE(c().optPaleo.enabled && c().chcL1.enabled && c().chcF1C.enabled);
}

// A reader error on the second of three files, or more records than can be numbered, leave
// the closed state with one message.
TEST_F(OpenFilesTest, FailedOpensLeaveTheClosedState)
{
    writeFile("a.ran", 3);
    tesmor::test::WriteBytes(dataFolder() + "b.ran", "");
    writeFile("c.ran", 3);
    writeFile("big.ran", model::MaxRecordsPerFile);
    const struct
    {
        std::vector<std::string> files;
        std::string message;
    } cases[] = {{{"a.ran", "b.ran", "c.ran"}, "Input error!"}, {{"big.ran", "a.ran"}, "32767"}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.message);
        ui.messages.clear();

        open(t.files);

        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE((ui.messages[0].title + ui.messages[0].text).find(t.message), std::string::npos);
        expectClosed();
        EXPECT_TRUE(c().lstNames.rows.empty() && state().Data.LoadedRecords.empty());
        EXPECT_EQ(c().picStereo.picture, nullptr);
    }
}

// A reopened set keeps the system with its own first foliation; a set without foliations
// forces the geographic system.
TEST_F(OpenFilesTest, ReopeningKeepsTheSystemWithTheNewFoliationOrFallsBackToGeographic)
{
    writeFile("b.ran", 5, "BL");
    writeFile("s.ran", 5, "SK");
    writeFile("nofol.ran", 5, "0L");
    open({"b.ran"});
    browser.cboLine_Click(1);
    browser.optPaleo_Click();
    ASSERT_EQ(state().LineationName, "L");

    open({"s.ran"});
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Paleogeographic);
    EXPECT_TRUE(c().optPaleo.checked);
    EXPECT_EQ(state().FoliationName, "S");
    EXPECT_EQ(state().LineationName, "0");
    EXPECT_EQ(state().Data.ActiveRecords.size(), 5u);
    browser.optTecto_Click();
    ASSERT_EQ(state().CoordSystem, CoordinateSystem::Tectonic);

    open({"nofol.ran"});
    EXPECT_EQ(state().CoordSystem, CoordinateSystem::Geographic);
    EXPECT_TRUE(c().optGeo.checked && !c().optPaleo.enabled);
    EXPECT_FALSE(c().cboLine.enabled || c().lstLine.enabled);
    EXPECT_TRUE(c().cboLine.items.empty() && c().lstLine.rows.empty());
    EXPECT_EQ(state().Data.ActiveRecords.size(), 5u);
}

TEST_F(OpenFilesTest, StartsClosedAndCloseReturnsThereKeepingTheData)
{
    expectClosed();
    EXPECT_FALSE(c().picStereo.enabled || c().mnuGraphics.visible);
    EXPECT_TRUE(c().mnuOpen.visible);
    EXPECT_EQ(c().StatusBar1.panels[7], "Instrument:");
    writeFile("x.ran", 5);
    open({"x.ran"});

    browser.mnuClose_Click();

    expectClosed();
    EXPECT_EQ(c().txtMeanName.text + c().lblN.text, "");
    EXPECT_FALSE(c().txtMeanName.enabled || c().lblStatisticsInfo.visible || c().mnuEdit.visible);
    EXPECT_EQ(state().Data.WorkingRecords.size(), 5u);
}

// A large set is listed and drawn side by side on two threads: the same rows, labels and
// pictures as on one.
TEST_F(OpenFilesTest, ListingAndPicturesOfALargeSetAreTheSameOnTwoThreads)
{
    writeFile("big.ran", 5000);
    const auto shown = [&](int threads) {
        state().Threads = threads;
        open({"big.ran"});
        return std::tuple(c().lstNames.rows, c().lblPaver.text, c().picStereo.picture->size(),
                          c().picPlot1.picture->size(), c().picPlot2.picture->size());
    };
    const auto one = shown(1);
    EXPECT_EQ(std::get<0>(one).size(), 5001u);
    EXPECT_EQ(shown(2), one);
}

// The per-record work shared out among threads gives the records and statistics of one thread,
// field for field, in the geographic system and in a rotated one.
TEST(DataSessionThreads, GiveTheFiguresOfOneThread)
{
    const model::Records site = test::MakeSampleRecords(32765);
    const auto shown = [&](int threads, const SystemChoice& choice) {
        DataSession session;
        session.Threads = threads;
        session.Data.LoadedRecords = site;
        session.CompleteRecords();
        EXPECT_EQ(session.Show(choice), std::nullopt);
        return std::pair(session.Data.ActiveRecords, session.Statistics);
    };
    for (const SystemChoice& choice :
         {SystemChoice {}, SystemChoice {CoordinateSystem::Tectonic, "B", "L"}}) {
        SCOPED_TRACE(CoordinateSystemName(choice.System));
        const auto one = shown(1, choice);
        EXPECT_GT(one.first.size(), 20000u);
        EXPECT_TRUE(shown(2, choice) == one && shown(7, choice) == one);
    }
}

} // namespace
} // namespace tesmor::app
