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
using test::OpsOf;

constexpr Colour Orange {255, 128, 0};

ViewOptions Showing(DisplayOptions display, std::vector<char> foliations = {},
                    std::vector<char> lineations = {})
{
    ViewOptions options;
    std::tie(options.display, options.foliationTypes, options.lineationTypes)
        = std::tuple(display, std::move(foliations), std::move(lineations));
    return options;
}

std::vector<SpecimenRecord> Records(int n)
{
    std::vector<SpecimenRecord> records;
    for (int i = 0; i < n; ++i)
        records.push_back(test::RecordWithAxes(10.0f * i, 20, 100, 10, 250, 65));
    return records;
}

// Statistics with defined means and small (triangular) ellipses.
math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    s.Tenvar = true;
    std::tie(s.K1d, s.K1i, s.K2d, s.K2i, s.K3d, s.K3i)
        = std::tuple {10.0f, 20.0f, 100.0f, 10.0f, 250.0f, 65.0f};
    s.CurveDefined = {true, true, true};
    s.EllipseCurve.fill({{0.1f, 0}, {0.15f, 0}, {0.1f, 0.05f}, {0.1f, 0}});
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
    auto out = OpsOf<SymbolItem>(canvas);
    std::erase_if(out, [&](const SymbolItem& s) { return s.size != size; });
    return out;
}

// The direction labels follow the system (none in the tectonic one); the title names the system
// and projection.
TEST(DrawStereonet, WritesTheLabelsAndTitleOfItsSystemAndProjection)
{
    using math::Projection;
    const std::tuple<CoordinateSystem, Projection, std::vector<std::string>, const char*> cases[] {
        {CoordinateSystem::Geographic,
         Projection::EqualArea,
         {"N", "90", "180", "270"},
         "Geographic"},
        {CoordinateSystem::Specimen, Projection::EqualAngle, {"X", "Y", "-X", "-Y"}, "Specimen"},
        {CoordinateSystem::Tectonic, Projection::EqualArea, {}, "Tectonic"},
    };
    for (auto [system, projection, expected, name] : cases) {
        SCOPED_TRACE(name);
        ViewOptions options;
        std::tie(options.coordinateSystem, options.projection) = std::tuple(system, projection);
        const char* projectionName
            = projection == Projection::EqualArea ? "Equal-area" : "Equal-angle";
        expected.insert(
            expected.end(),
            {name, "coordinate", "system", projectionName, "projection", "N=3", "K1", "K2", "K3"});
        EXPECT_EQ(test::TextsOf(Draw(Records(3), options)), expected);
    }
}

// Means and ellipses need five records and a shown axis; the data option hides the records;
// selected records are drawn last, above the means, in the selection colour.
TEST(DrawStereonet, MeansAndEllipsesNeedFiveRecordsAndAShownAxis)
{
    const auto stats = Statistics();
    auto records = Records(6);
    records[0].Selected = true;
    ViewOptions options = Showing({.chcMean = true, .chcEllipses = true});
    const auto four = Draw(Records(4), options, &stats);
    const auto six = Draw(records, options, &stats);
    options.display.chcK2 = options.display.chcData = false;
    const auto withoutK2 = Draw(Records(6), options, &stats);

    EXPECT_TRUE(SymbolsOfSize(four, 15).empty() && OpsOf<PolylineOp>(four).empty());
    const auto ellipses = OpsOf<PolylineOp>(six);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[0].pen, (Pen {PenStyle::Solid, {0, 0, 255}, 1}));
    EXPECT_EQ(ellipses[2].pen.colour, (Colour {255, 0, 255}));
    const auto symbols = OpsOf<SymbolItem>(six);
    const std::vector<SymbolItem> last(symbols.end() - 3, symbols.end());
    for (const SymbolItem& s : last)
        EXPECT_EQ(std::tuple(s.fill, s.outline, s.size), std::tuple(SelectionColour, Black, 10));
    EXPECT_EQ(last[0].shape, Square);
    EXPECT_EQ(SymbolsOfSize(six, 15).size(), 3u);
    EXPECT_EQ(symbols.end()[-4].size, 15); // the mean K3 comes just before
    const auto means = SymbolsOfSize(withoutK2, 15);
    ASSERT_EQ(means.size(), 2u);
    EXPECT_TRUE(means[0].shape != Triangle && means[1].shape != Triangle) << "mean K2 drawn";
    EXPECT_EQ(OpsOf<PolylineOp>(withoutK2).size(), 2u);
    for (const SymbolItem& s : SymbolsOfSize(withoutK2, 10))
        EXPECT_FALSE(s.y > 0 && s.x > 60 && s.x < 340 && s.y < 340) << s.x << "," << s.y;
}

// Selected structures are drawn in the selection colour.
TEST(DrawStereonet, SelectedStructuresAreRed)
{
    SpecimenRecord r = test::RecordWithAxes(0, 0, 0, 0, 0, 0, true);
    std::tie(r.Code1A, r.Code1B, r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc)
        = std::tuple('B', 'L', 90, 30, 90, 30);

    const auto canvas = Draw({r}, Showing({.chcF1C = true, .chcL1 = true}, {'B'}, {'L'}));

    const auto lines = OpsOf<PolylineOp>(canvas);
    EXPECT_EQ(lines.back().pen, (Pen {lines.back().pen.style, SelectionColour, 1}));
    const SymbolItem lineation = OpsOf<SymbolItem>(canvas).end()[-4];
    EXPECT_EQ(std::pair(lineation.shape, lineation.outline), std::pair(11, SelectionColour));
}

// A nearly horizontal plane's strike is the stored one; a plane in both groups with the same
// letter shows only once.
TEST(DrawStereonet, FoliationStrikesAndPoles)
{
    SpecimenRecord flat = test::RecordWithAxes(0, 0, 0, 0, 0, 0);
    std::tie(flat.Code1A, flat.F1Dec, flat.F1Inc, flat.F1Strike) = std::tuple('B', 200, 0.05f, 33);
    SpecimenRecord dipping = flat;
    dipping.F1Inc = 0.1f;
    SpecimenRecord twice = flat; // pole horizontal towards 270
    std::tie(twice.Code1A, twice.Code2A, twice.F1Dec, twice.F1Inc) = std::tuple('S', 'S', 90, 90);
    const auto strikes = [](const SpecimenRecord& r) {
        const auto marks
            = OpsOf<SymbolItem>(Draw({r}, Showing({.chcData = false, .chcF1S = true}, {'B'})));
        const SymbolItem& a = marks.end()[-2];
        const SymbolItem& b = marks.back();
        // Two azimuth lines of pen width 0 along the strike.
        EXPECT_EQ(std::tuple(a.shape, b.shape, a.penWidth, b.penWidth),
                  std::tuple(AzimuthLine, AzimuthLine, 0, 0));
        return std::pair(a.angle, b.angle);
    };

    const auto poles
        = OpsOf<SymbolItem>(Draw({twice}, Showing({.chcData = false, .chcF1P = true}, {'S'})));

    EXPECT_EQ(strikes(flat), std::pair(33.0, 213.0));
    EXPECT_EQ(strikes(dipping), std::pair(110.0, 290.0));
    EXPECT_EQ(std::count_if(poles.begin(), poles.end(),
                            [](const SymbolItem& s) { return s.shape == 31; }),
              2); // the legend's and the record's
    const SymbolItem& pole = poles.back();
    EXPECT_EQ(std::tuple(pole.shape, pole.fill, pole.outline), std::tuple(31, White, Orange));
    EXPECT_NEAR(pole.x, 30, 1e-3);
    EXPECT_NEAR(pole.y, 200, 1e-3);
}

// The legends list the structure types with their marks, the first five of a kind. The window's net
// keeps five legend rows and the lineation marks inside its picture, and its great circle and
// legend lines are one screen pixel wide, so dashed, at any pixel ratio.
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
        EXPECT_EQ(lines[1].pen, (Pen {PenStyle::Dash, Orange, 1}));
        const auto texts = test::TextsOf(canvas);
        EXPECT_EQ(std::vector(texts.end() - 10, texts.end()),
                  (std::vector<std::string> {"A", "B", "C", "D", "E", "K", "L", "M", "N", "O"}));
        std::vector<int> shapes;
        for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
            if (s.shape > 6)
                shapes.push_back(s.shape);
        EXPECT_EQ(shapes, (std::vector<int> {31, 32, 33, 34, 35, 11, 12, 13, 14, 15}));
    }
    // A sixth type has its letter but no mark.
    const auto six = OpsOf<SymbolItem>(Draw({}, Showing({}, {'A', 'B', 'C', 'D', 'E', 'F'})));
    EXPECT_EQ(
        std::count_if(six.begin(), six.end(), [](const SymbolItem& s) { return s.shape > 30; }), 5);
    EXPECT_EQ(test::TextsOf(Draw({}, Showing({}, {'A', 'B', 'C', 'D', 'E', 'F'}))).back(), "F");
}

} // namespace
} // namespace tesmor::plot
