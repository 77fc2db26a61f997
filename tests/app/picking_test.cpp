// Dragging over the net and the plots: which records a rubber band selects, with the list rows
// following, and the read-outs while the mouse moves without a button.

#include "app_fixture.h"

namespace tesmor::app {
namespace {

using PickingTest = test_support::LoadedBrowserTest;
using plot::Modifiers;
using plot::WorldPoint;

std::vector<bool> SelectedFlags(const model::Records& records)
{
    std::vector<bool> flags;
    for (const model::SpecimenRecord& r : records)
        flags.push_back(r.Selected);
    return flags;
}

// Three records around a rectangle covering the centre of the net (net units -0.5 ... 0.5):
// the first with only K1 inside, the second with K2 and K3 inside, the third with K1 at the
// centre, the rest far outside.
TEST_F(PickingTest, NetBandSelectsByTheCountedAxes)
{
    writeFile("x.ran", 3);
    open({"x.ran"});
    const std::array<std::array<float, 6>, 3> axes {{
        {0, 60, 90, 0, 180, 30},
        {0, 0, 90, 70, 180, 80},
        {0, 90, 90, 0, 180, 0},
    }};
    for (std::size_t i = 0; i < 3; ++i) {
        model::SpecimenRecord& r = state().Data.ActiveRecords[i];
        std::tie(r.K1dec, r.K1inc, r.K2dec, r.K2inc, r.K3dec, r.K3inc)
            = std::tuple {axes[i][0], axes[i][1], axes[i][2], axes[i][3], axes[i][4], axes[i][5]};
    }
    const plot::NetFrame frame = browser.Views().stereo.frame;
    const WorldPoint upperLeft = frame.toCanvas(-0.5, 0.5);
    const WorldPoint lowerRight = frame.toCanvas(0.5, -0.5);
    const WorldPoint centre = frame.toCanvas(0, 0);
    const Modifiers none, shift {true, false, false}, ctrl {false, true, false},
        alt {false, false, true}, shiftCtrl {true, true, false};
    const std::tuple<Modifiers, WorldPoint, WorldPoint, std::vector<bool>> cases[] {
        {none, upperLeft, lowerRight, {true, true, true}},
        {ctrl, upperLeft, lowerRight, {true, false, true}},
        {ctrl, lowerRight, upperLeft, {true, false, true}},
        {shift, upperLeft, lowerRight, {false, true, false}},
        {alt, lowerRight, upperLeft, {false, true, false}},
        {shiftCtrl, upperLeft, lowerRight, {false, false, false}},
        {none, centre, centre, {false, false, true}},
    };
    for (const auto& [modifiers, from, to, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << from.x << "," << from.y << " " << modifiers.shift
                                          << modifiers.ctrl << modifiers.alt);
        browser.lstNames_Release(test_support::Rows(3, {1, 2, 3}));
        const std::uint64_t revision = c().picStereo.revision;
        browser.picStereo_MouseDown({mouse::Right, modifiers, from.x, from.y});
        browser.picStereo_MouseMove({mouse::Left, modifiers, to.x, to.y});
        browser.picStereo_MouseUp({mouse::Right, modifiers, to.x, to.y});
        EXPECT_EQ(SelectedFlags(state().Data.ActiveRecords), expected);
        std::vector<bool> rows {false};
        rows.insert(rows.end(), expected.begin(), expected.end());
        EXPECT_EQ(c().lstNames.selected, rows);
        EXPECT_GT(c().picStereo.revision, revision);
    }

    // Read-outs: the centre, and nothing outside the primitive circle.
    browser.picStereo_MouseMove({0, none, centre.x, centre.y});
    EXPECT_EQ(c().lblStereoD.text + " " + c().lblStereoI.text, "D= 0.0 I= 90.0");
    browser.picStereo_MouseMove({0, none, centre.x + frame.diameter, centre.y});
    EXPECT_EQ(c().lblStereoD.text + c().lblStereoI.text, "");
}

// The plots pick with the left button only; a band over the whole frame selects every record.
TEST_F(PickingTest, PlotBandsFollowTheLeftButton)
{
    writeFile("x.ran", 4);
    open({"x.ran"});
    const plot::PlotStyle style = browser.Views().plot2Style;
    const WorldPoint from {style.left, style.bottom};
    const WorldPoint to {style.left + style.width, style.bottom - style.height};
    browser.picPlot2_MouseDown({mouse::Right, {}, from.x, from.y});
    browser.picPlot2_MouseUp({mouse::Right, {}, to.x, to.y});
    EXPECT_EQ(SelectedFlags(state().Data.ActiveRecords), std::vector<bool>(4, false));
    browser.picPlot2_MouseDown({mouse::Left, {}, from.x, from.y});
    browser.picPlot2_MouseUp({mouse::Left, {}, to.x, to.y});
    EXPECT_EQ(SelectedFlags(state().Data.ActiveRecords), std::vector<bool>(4, true));

    browser.picPlot1_MouseMove({0, {}, from.x, from.y});
    EXPECT_EQ(c().lblPlot1X.text.substr(0, 4), "Km= ");
    EXPECT_EQ(c().lblPlot1Y.text, "P= 1.000");
    browser.picPlot1_MouseMove({0, {}, from.x - 5, from.y});
    EXPECT_EQ(c().lblPlot1X.text + c().lblPlot1Y.text, "");

    // Closing empties the read-outs.
    browser.picPlot2_MouseMove({0, {}, from.x, from.y});
    ASSERT_NE(c().lblPlot2X.text, "");
    browser.mnuClose_Click();
    EXPECT_EQ(c().lblPlot2X.text + c().lblPlot2Y.text, "");
}

} // namespace
} // namespace tesmor::app
