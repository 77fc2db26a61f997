#include "plot/stereonet.h"
#include "plot/symbols.h"
#include "plot/views.h"
#include "plot_test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

using math::CoordinateSystem;
using model::SpecimenRecord;
using test::IndexOfText;
using test::OpsOf;
using test::RecordWithAxes;

constexpr Colour Orange {255, 128, 0};

ViewOptions Showing(DisplayOptions display, std::vector<char> foliations = {},
                    std::vector<char> lineations = {})
{
    ViewOptions options;
    options.display = display;
    options.foliationTypes = std::move(foliations);
    options.lineationTypes = std::move(lineations);
    return options;
}

std::vector<SpecimenRecord> Records(int n)
{
    std::vector<SpecimenRecord> records;
    for (int i = 0; i < n; ++i)
        records.push_back(RecordWithAxes(10.0f * i, 20, 100, 10, 250, 65));
    return records;
}

// A record with only its first plane given, of type `type`.
SpecimenRecord Plane(char type, float dec, float inc, bool selected = false)
{
    SpecimenRecord r = RecordWithAxes(0, 0, 0, 0, 0, 0, selected);
    r.Code1A = type;
    r.F1Dec = dec;
    r.F1Inc = inc;
    return r;
}

// Statistics with defined means and small (triangular) ellipses about them.
math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    s.Tenvar = true;
    std::tie(s.K1d, s.K1i, s.K2d, s.K2i, s.K3d, s.K3i)
        = std::tuple {10.0f, 20.0f, 100.0f, 10.0f, 250.0f, 65.0f};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const float x = 0.1f * static_cast<float>(axis);
        s.CurveDefined[axis] = true;
        s.EllipseCurve[axis] = {{x, 0}, {x + 0.05f, 0}, {x, 0.05f}, {x, 0}};
    }
    return s;
}

RecordingCanvas Draw(const std::vector<SpecimenRecord>& records, const ViewOptions& options = {},
                     const math::GroupStatistics* stats = nullptr)
{
    RecordingCanvas canvas;
    DrawStereonet(canvas, records, stats, options, StereonetStyle {{200, 200, 340}, 10, 16});
    return canvas;
}

std::vector<SymbolItem> SymbolsOfSize(const RecordingCanvas& canvas, int size)
{
    std::vector<SymbolItem> out;
    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        if (s.size == size)
            out.push_back(s);
    return out;
}

TEST(DrawStereonet, StartsWithTheWhitePrimitiveAndCrossesItsTicksAtTheCentre)
{
    const auto canvas = Draw({});

    const auto operations = canvas.operations(); // a copy
    const auto* first = std::get_if<EllipseOp>(&operations.front());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, (EllipseOp {{30, 30, 370, 370}, White, Black}));
    std::vector<int> shapesAtCentre;
    for (const SymbolItem& s : SymbolsOfSize(canvas, 5))
        if (s.x == 200 && s.y == 200)
            shapesAtCentre.push_back(s.shape);
    std::sort(shapesAtCentre.begin(), shapesAtCentre.end());
    EXPECT_EQ(shapesAtCentre,
              (std::vector<int> {HorizontalLine, HorizontalLine, VerticalLine, VerticalLine}));
    EXPECT_EQ(SymbolsOfSize(canvas, 5).size(), 36u);
}

// The direction labels follow the system (none in the tectonic one); the title names the system
// and projection, and leaves out a word it does not know.
TEST(DrawStereonet, WritesTheLabelsAndTitleOfItsSystemAndProjection)
{
    using math::Projection;
    const std::vector<std::string> end {"projection", "N=3", "K1", "K2", "K3"};
    const std::tuple<CoordinateSystem, Projection, std::vector<std::string>> cases[] {
        {CoordinateSystem::Geographic,
         Projection::EqualArea,
         {"N", "90", "180", "270", "Geographic", "coordinate", "system", "Equal-area"}},
        {CoordinateSystem::Specimen,
         Projection::EqualAngle,
         {"X", "Y", "-X", "-Y", "Specimen", "coordinate", "system", "Equal-angle"}},
        {CoordinateSystem::Tectonic,
         Projection::EqualArea,
         {"Tectonic", "coordinate", "system", "Equal-area"}},
        {static_cast<CoordinateSystem>(7), static_cast<Projection>(0), {"coordinate", "system"}},
    };
    for (const auto& [system, projection, texts] : cases) {
        SCOPED_TRACE(static_cast<int>(system));
        ViewOptions options;
        options.coordinateSystem = system;
        options.projection = projection;
        auto expected = texts;
        expected.insert(expected.end(), end.begin(), end.end());
        EXPECT_EQ(test::TextsOf(Draw(Records(3), options)), expected);
    }
}

TEST(DrawStereonet, MeansAndEllipsesNeedFiveRecordsAndAShownAxis)
{
    const auto stats = Statistics();
    ViewOptions options = Showing({.chcMean = true, .chcEllipses = true});
    const auto four = Draw(Records(4), options, &stats);
    const auto five = Draw(Records(5), options, &stats);
    options.display.chcK2 = false;
    const auto withoutK2 = Draw(Records(6), options, &stats);

    EXPECT_TRUE(SymbolsOfSize(four, 15).empty());
    EXPECT_TRUE(OpsOf<PolylineOp>(four).empty());
    EXPECT_EQ(SymbolsOfSize(five, 15).size(), 3u);
    const auto ellipses = OpsOf<PolylineOp>(five);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[0].pen, (Pen {PenStyle::Solid, {0, 0, 255}, 1}));
    EXPECT_EQ(ellipses[2].pen.colour, (Colour {255, 0, 255}));
    const auto means = SymbolsOfSize(withoutK2, 15);
    EXPECT_EQ(means.size(), 2u);
    for (const SymbolItem& s : means)
        EXPECT_NE(s.shape, Triangle) << "mean K2 drawn";
    EXPECT_EQ(OpsOf<PolylineOp>(withoutK2).size(), 2u);
}

TEST(DrawStereonet, SelectedRecordsAreDrawnAboveMeansAndOtherRecords)
{
    auto records = Records(6);
    records[0].Selected = true;
    const auto stats = Statistics();

    const auto symbols = OpsOf<SymbolItem>(Draw(records, Showing({.chcMean = true}), &stats));

    const std::vector<SymbolItem> last(symbols.end() - 3, symbols.end());
    for (const SymbolItem& s : last)
        EXPECT_EQ(std::tuple(s.fill, s.outline, s.size), std::tuple(SelectionColour, Black, 10));
    EXPECT_EQ(last[0].shape, Square);
    EXPECT_EQ(symbols[symbols.size() - 4].size, 15); // the mean K3 comes just before
}

TEST(DrawStereonet, DataOptionHidesTheRecordsDirections)
{
    const auto canvas = Draw(Records(3), Showing({.chcData = false}));

    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        EXPECT_FALSE(s.size == 10 && s.y > 0 && s.x > 60 && s.x < 340 && s.y < 340)
            << "record symbol at " << s.x << "," << s.y;
}

TEST(DrawStereonet, NearlyHorizontalFoliationUsesTheStoredStrike)
{
    const auto options = Showing({.chcData = false, .chcF1S = true}, {'B'});
    SpecimenRecord flat = Plane('B', 200, 0.05f);
    flat.F1Strike = 33;
    SpecimenRecord dipping = flat;
    dipping.F1Inc = 0.1f;

    const auto flatMarks = OpsOf<SymbolItem>(Draw({flat}, options));
    const auto dippingMarks = OpsOf<SymbolItem>(Draw({dipping}, options));

    // Two azimuth lines of pen width 0 along the strike, the stored one when the plane is flat.
    const auto strikes = [](const std::vector<SymbolItem>& marks) {
        const SymbolItem& a = marks[marks.size() - 2];
        const SymbolItem& b = marks.back();
        EXPECT_EQ(std::tuple(a.shape, b.shape, a.penWidth, b.penWidth),
                  std::tuple(AzimuthLine, AzimuthLine, 0, 0));
        return std::pair(a.angle, b.angle);
    };
    EXPECT_EQ(strikes(flatMarks), std::pair(33.0, 213.0));
    EXPECT_EQ(strikes(dippingMarks), std::pair(110.0, 290.0));
}

TEST(DrawStereonet, EqualFoliationLettersShowOnlyTheFirstPlane)
{
    SpecimenRecord r = Plane('S', 90, 90); // pole horizontal towards 270
    r.Code2A = 'S';

    const auto symbols
        = OpsOf<SymbolItem>(Draw({r}, Showing({.chcData = false, .chcF1P = true}, {'S'})));

    ASSERT_EQ(std::count_if(symbols.begin(), symbols.end(),
                            [](const SymbolItem& s) { return s.shape == 31; }),
              2); // the legend's and the record's
    const SymbolItem& pole = symbols.back();
    EXPECT_EQ(std::tuple(pole.shape, pole.fill, pole.outline), std::tuple(31, White, Orange));
    EXPECT_NEAR(pole.x, 30, 1e-3);
    EXPECT_NEAR(pole.y, 200, 1e-3);
}

TEST(DrawStereonet, SelectedStructuresAreRed)
{
    SpecimenRecord r = Plane('B', 90, 30, true);
    r.Code1B = 'L';
    r.L1Dec = 90;
    r.L1Inc = 30;

    const auto canvas = Draw({r}, Showing({.chcF1C = true, .chcL1 = true}, {'B'}, {'L'}));

    const auto lines = OpsOf<PolylineOp>(canvas);
    EXPECT_EQ(lines.back().pen, (Pen {lines.back().pen.style, SelectionColour, 1}));
    const auto symbols = OpsOf<SymbolItem>(canvas);
    const SymbolItem& lineation = symbols[symbols.size() - 4];
    EXPECT_EQ(std::pair(lineation.shape, lineation.outline), std::pair(11, SelectionColour));
}

TEST(DrawStereonet, LegendsListTheStructureTypesWithTheirMarks)
{
    const auto canvas = Draw({}, Showing({}, {'A', 'B', 'C', 'D', 'E', 'F'}, {'L'}));

    const auto texts = test::TextsOf(canvas);
    ASSERT_GE(texts.size(), 7u);
    EXPECT_EQ(std::vector(texts.end() - 7, texts.end()),
              (std::vector<std::string> {"A", "B", "C", "D", "E", "F", "L"}));
    std::vector<int> shapes;
    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        if (s.shape > 6)
            shapes.push_back(s.shape);
    EXPECT_EQ(shapes, (std::vector<int> {31, 32, 33, 34, 35, 11}));
    const auto lines = OpsOf<PolylineOp>(canvas);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].pen.style, PenStyle::Dash);
    EXPECT_EQ(lines[1].pen.colour, Orange);
}

// The window's net keeps five legend rows and the lineation marks inside its picture, and its
// great circle and legend lines are one screen pixel wide, so dashed, at any pixel ratio.
TEST(ScreenNetStyle, KeepsTheLegendsInsideAndDashesAtEveryPixelRatio)
{
    const ViewOptions options = Showing({}, {'A', 'B', 'C', 'D', 'E'}, {'K', 'L', 'M', 'N', 'O'});
    for (double ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const int side = static_cast<int>(400 * ratio);
        RecordingCanvas canvas;

        DrawStereonet(canvas, {}, nullptr, options, ScreenNetStyle(options, side, side, ratio));

        for (const TextItem& t : OpsOf<TextItem>(canvas))
            EXPECT_TRUE(t.at.y <= side && t.at.x <= side) << t.text;
        for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
            EXPECT_TRUE(s.y + s.size / 2.0 <= side && s.x + s.size / 2.0 <= side) << s.shape;
        const auto lines = OpsOf<PolylineOp>(canvas);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[1].pen.width, 1);
    }
}

} // namespace
} // namespace tesmor::plot
