#include "plot/stereonet.h"
#include "plot/symbols.h"
#include "plot_test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

using math::CoordinateSystem;
using math::Projection;
using model::SpecimenRecord;
using test::IndexOfText;
using test::OpsOf;
using test::RecordWithAxes;
using test::TextsOf;

StereonetStyle ScreenStyle()
{
    StereonetStyle style;
    style.frame = {200, 200, 340};
    style.symbolSize = 10;
    style.fontSize = 16;
    return style;
}

std::vector<SpecimenRecord> Records(int n)
{
    std::vector<SpecimenRecord> records;
    for (int i = 0; i < n; ++i)
        records.push_back(RecordWithAxes(10.0f * i, 20, 100, 10, 250, 65));
    return records;
}

// Statistics with defined means and small ellipses about them.
math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    s.Tenvar = true;
    s.K1d = 10;
    s.K1i = 20;
    s.K2d = 100;
    s.K2i = 10;
    s.K3d = 250;
    s.K3i = 65;
    for (int axis = 0; axis < 3; ++axis) {
        s.CurveDefined[static_cast<std::size_t>(axis)] = true;
        auto& curve = s.EllipseCurve[static_cast<std::size_t>(axis)];
        for (int t = 0; t < math::EllipseCurvePoints; ++t) {
            const double phi = t * 0.1 * 3.14159265358979 / 180;
            curve.push_back({static_cast<float>(0.1 * axis + 0.05 * std::cos(phi)),
                             static_cast<float>(0.05 * std::sin(phi))});
        }
    }
    return s;
}

RecordingCanvas Draw(const std::vector<SpecimenRecord>& records, const ViewOptions& options,
                     const math::GroupStatistics* stats = nullptr,
                     const StereonetStyle& style = ScreenStyle())
{
    RecordingCanvas canvas;
    DrawStereonet(canvas, records, stats, options, style);
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

TEST(DrawStereonet, StartsWithThePrimitiveCircleFilledWhite)
{
    const auto canvas = Draw(Records(1), ViewOptions {});

    const auto operations = canvas.operations();
    const auto* first = std::get_if<EllipseOp>(&operations.front());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->box, (Rect {30, 30, 370, 370}));
    EXPECT_EQ(first->fill, White);
    EXPECT_EQ(first->outline, Black);
}

TEST(DrawStereonet, GeographicSystemLabelsTheFourDirections)
{
    const auto canvas = Draw(Records(1), ViewOptions {});

    const auto texts = OpsOf<TextItem>(canvas);
    const auto find = [&](const std::string& t) {
        return *std::find_if(texts.begin(), texts.end(), [&](auto& x) { return x.text == t; });
    };
    EXPECT_EQ(find("N").at, (Point {200, 27}));
    EXPECT_EQ(find("N").align, (TextAlign {HAlign::Centre, VAlign::Baseline}));
    EXPECT_EQ(find("90").at, (Point {373, 205}));
    EXPECT_EQ(find("180").align, (TextAlign {HAlign::Centre, VAlign::Top}));
    EXPECT_EQ(find("270").align, (TextAlign {HAlign::Right, VAlign::Baseline}));
    EXPECT_EQ(find("N").height, 14); // [0.9 F]
    EXPECT_EQ(find("Geographic").height, 16);
}

TEST(DrawStereonet, SpecimenSystemLabelsTheSpecimenAxes)
{
    ViewOptions options;
    options.coordinateSystem = CoordinateSystem::Specimen;

    const auto texts = TextsOf(Draw(Records(1), options));

    for (const char* label : {"X", "Y", "-X", "-Y", "Specimen"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
}

TEST(DrawStereonet, TectonicSystemHasNoDirectionLabelsButItsTitle)
{
    ViewOptions options;
    options.coordinateSystem = CoordinateSystem::Tectonic;

    const auto texts = TextsOf(Draw(Records(3), options));

    for (const char* label : {"N", "90", "180", "270", "X", "Y", "-X", "-Y"})
        EXPECT_EQ(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    for (const char* title :
         {"Tectonic", "coordinate", "system", "Equal-area", "projection", "N=3"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), title), texts.end()) << title;
}

TEST(DrawStereonet, UnknownSystemAndProjectionLeaveTheirWordsOut)
{
    ViewOptions options;
    options.coordinateSystem = static_cast<CoordinateSystem>(7);
    options.projection = static_cast<Projection>(0);

    const auto texts = TextsOf(Draw(Records(2), options));

    EXPECT_EQ(
        texts,
        (std::vector<std::string> {"coordinate", "system", "projection", "N=2", "K1", "K2", "K3"}));
}

TEST(DrawStereonet, InclinationTicksMeetInACrossAtTheCentre)
{
    const auto canvas = Draw({}, ViewOptions {});

    std::vector<int> shapesAtCentre;
    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        if (s.x == 200 && s.y == 200) {
            shapesAtCentre.push_back(s.shape);
            EXPECT_EQ(s.size, 5);
        }
    std::sort(shapesAtCentre.begin(), shapesAtCentre.end());
    EXPECT_EQ(shapesAtCentre,
              (std::vector<int> {HorizontalLine, HorizontalLine, VerticalLine, VerticalLine}));
    EXPECT_EQ(SymbolsOfSize(canvas, 5).size(), 36u);
}

TEST(DrawStereonet, MeansAndEllipsesNeedFiveRecords)
{
    ViewOptions options;
    options.display.chcMean = true;
    options.display.chcEllipses = true;
    const auto stats = Statistics();

    const auto four = Draw(Records(4), options, &stats);
    const auto five = Draw(Records(5), options, &stats);

    EXPECT_TRUE(SymbolsOfSize(four, 15).empty());
    EXPECT_TRUE(OpsOf<PolylineOp>(four).empty());
    EXPECT_EQ(SymbolsOfSize(five, 15).size(), 3u);
    const auto ellipses = OpsOf<PolylineOp>(five);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[0].pen, (Pen {PenStyle::Solid, {0, 0, 255}, 1}));
    EXPECT_EQ(ellipses[2].pen.colour, (Colour {255, 0, 255}));
}

TEST(DrawStereonet, UnshownAxesHaveNeitherSymbolsNorMeansNorEllipses)
{
    ViewOptions options;
    options.display.chcMean = true;
    options.display.chcEllipses = true;
    options.display.chcK2 = false;
    const auto stats = Statistics();

    const auto canvas = Draw(Records(6), options, &stats);

    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        EXPECT_FALSE(s.shape == Triangle && s.size != 10) << "mean K2 drawn";
    EXPECT_EQ(OpsOf<PolylineOp>(canvas).size(), 2u);
}

TEST(DrawStereonet, SelectedRecordsAreDrawnAboveMeansAndOtherRecords)
{
    ViewOptions options;
    options.display.chcMean = true;
    auto records = Records(6);
    records[0].Selected = true;
    const auto stats = Statistics();

    const auto canvas = Draw(records, options, &stats);

    const auto symbols = OpsOf<SymbolItem>(canvas);
    const std::vector<SymbolItem> last(symbols.end() - 3, symbols.end());
    for (const SymbolItem& s : last) {
        EXPECT_EQ(s.fill, SelectionColour);
        EXPECT_EQ(s.outline, Black);
        EXPECT_EQ(s.size, 10);
    }
    EXPECT_EQ(last[0].shape, Square);
    EXPECT_EQ(symbols[symbols.size() - 4].size, 15); // the mean K3 comes just before
}

TEST(DrawStereonet, DataOptionHidesTheRecordsDirections)
{
    ViewOptions options;
    options.display.chcData = false;

    const auto canvas = Draw(Records(3), options);

    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        EXPECT_FALSE(s.size == 10 && s.y > 0 && s.x > 60 && s.x < 340 && s.y < 340)
            << "record symbol at " << s.x << "," << s.y;
}

TEST(DrawStereonet, BlackAndWhiteSchemeUsesGreyAndWhiteSymbols)
{
    StereonetStyle style = ScreenStyle();
    style.colours = SchemeNetColours(ColourScheme::BlackAndWhite);

    const auto symbols = OpsOf<SymbolItem>(Draw(Records(1), ViewOptions {}, nullptr, style));

    const auto& k2 = symbols[symbols.size() - 2];
    const auto& k3 = symbols[symbols.size() - 1];
    EXPECT_EQ(k2.fill, (Colour {128, 128, 128}));
    EXPECT_EQ(k3.fill, White);
    EXPECT_EQ(k3.outline, Black);
}

TEST(DrawStereonet, NearlyHorizontalFoliationUsesTheStoredStrike)
{
    ViewOptions options;
    options.display.chcF1S = true;
    options.display.chcData = false;
    options.foliationTypes = {'B'};
    SpecimenRecord flat = RecordWithAxes(0, 0, 0, 0, 0, 0);
    flat.Code1A = 'B';
    flat.F1Dec = 200;
    flat.F1Inc = 0.05f;
    flat.F1Strike = 33;
    SpecimenRecord dipping = flat;
    dipping.F1Inc = 0.1f;

    const auto flatMarks = OpsOf<SymbolItem>(Draw({flat}, options));
    const auto dippingMarks = OpsOf<SymbolItem>(Draw({dipping}, options));

    EXPECT_EQ(flatMarks[flatMarks.size() - 2].angle, 33);
    EXPECT_EQ(flatMarks.back().angle, 213);
    EXPECT_EQ(dippingMarks[dippingMarks.size() - 2].angle, 110);
    EXPECT_EQ(dippingMarks.back().angle, 290);
    EXPECT_EQ(dippingMarks.back().shape, AzimuthLine);
    EXPECT_EQ(dippingMarks.back().penWidth, 0);
}

TEST(DrawStereonet, EqualFoliationLettersShowOnlyTheFirstPlane)
{
    ViewOptions options;
    options.display.chcF1P = true;
    options.display.chcData = false;
    options.foliationTypes = {'S'};
    SpecimenRecord r = RecordWithAxes(0, 0, 0, 0, 0, 0);
    r.Code1A = 'S';
    r.F1Dec = 90;
    r.F1Inc = 90; // pole horizontal towards 270
    r.Code2A = 'S';
    r.F2Dec = 0;
    r.F2Inc = 0;

    const auto symbols = OpsOf<SymbolItem>(Draw({r}, options));

    std::vector<SymbolItem> poles;
    for (const SymbolItem& s : symbols)
        if (s.shape == 31)
            poles.push_back(s);
    ASSERT_EQ(poles.size(), 2u); // the legend's and the record's
    EXPECT_NEAR(poles[1].x, 30, 1e-3);
    EXPECT_NEAR(poles[1].y, 200, 1e-3);
    EXPECT_EQ(poles[1].fill, White);
    EXPECT_EQ(poles[1].outline, (Colour {255, 128, 0}));
}

TEST(DrawStereonet, SelectedStructuresAreRed)
{
    ViewOptions options;
    options.display.chcF1C = true;
    options.display.chcL1 = true;
    options.foliationTypes = {'B'};
    options.lineationTypes = {'L'};
    SpecimenRecord r = RecordWithAxes(0, 0, 0, 0, 0, 0, true);
    r.Code1A = 'B';
    r.Code1B = 'L';
    r.F1Dec = 90;
    r.F1Inc = 30;
    r.L1Dec = 90;
    r.L1Inc = 30;

    const auto canvas = Draw({r}, options);

    const auto lines = OpsOf<PolylineOp>(canvas);
    EXPECT_EQ(lines.back().pen.colour, SelectionColour);
    EXPECT_EQ(lines.back().pen.width, 1);
    const auto symbols = OpsOf<SymbolItem>(canvas);
    const SymbolItem& lineation = symbols[symbols.size() - 4];
    EXPECT_EQ(lineation.shape, 11);
    EXPECT_EQ(lineation.outline, SelectionColour);
}

TEST(DrawStereonet, LegendsListTheStructureTypesWithTheirMarks)
{
    ViewOptions options;
    options.foliationTypes = {'A', 'B', 'C', 'D', 'E', 'F'};
    options.lineationTypes = {'L'};

    const auto canvas = Draw({}, options);

    const auto texts = TextsOf(canvas);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "F"), texts.end());
    std::vector<int> shapes;
    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        if (s.shape > 6)
            shapes.push_back(s.shape);
    EXPECT_EQ(shapes, (std::vector<int> {31, 32, 33, 34, 35, 11}));
    const auto lines = OpsOf<PolylineOp>(canvas);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].pen.style, PenStyle::Dash);
    EXPECT_EQ(lines[1].pen.colour, (Colour {255, 128, 0}));
    EXPECT_EQ(IndexOfText(canvas, "A") < IndexOfText(canvas, "L"), true);
}

} // namespace
} // namespace tesmor::plot
