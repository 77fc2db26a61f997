#include "plot/parameter_plot.h"
#include "plot/symbols.h"
#include "plot_test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tesmor::plot {
namespace {

using model::SpecimenRecord;
using test::OpsOf;
using test::RecordWithAxes;
using test::TextsOf;

SpecimenRecord Record(float km, float P, float T = 0, bool selected = false)
{
    SpecimenRecord r = RecordWithAxes(0, 0, 0, 0, 0, 0, selected);
    r.Km = km;
    r.P = P;
    r.Pj = P;
    r.T = T;
    return r;
}

RecordingCanvas Draw(const PlotData& data)
{
    RecordingCanvas canvas;
    DrawParameterPlot(canvas, PlotStyle {}, data);
    return canvas;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(PrepareParameterPlot, KmPlotTakesSiUnitsAndStartsPAtOne)
{
    const std::vector<SpecimenRecord> records {Record(200, 1.05f), Record(1500, 1.2f)};

    const auto data = PrepareParameterPlot(1, plotkind::PKm, records);

    ASSERT_TRUE(data);
    EXPECT_FLOAT_EQ(data->xMin, 0.0002f);
    EXPECT_FLOAT_EQ(data->xMax, 0.0015f);
    EXPECT_EQ(data->yMin, 1);
    EXPECT_FLOAT_EQ(data->yMax, 1.2f);
    EXPECT_EQ(data->xAxisAtY, 1);
    EXPECT_EQ(data->yAxisAtX, data->xMin);
}

TEST(DrawParameterPlot, ScientificLabelsAtTheEndsOfTheKmAxis)
{
    const std::vector<SpecimenRecord> records {Record(200, 1.05f), Record(1500, 1.2f)};

    const auto texts = TextsOf(Draw(*PrepareParameterPlot(1, plotkind::PKm, records)));

    EXPECT_TRUE(Contains(texts, "2.00E-04"));
    EXPECT_TRUE(Contains(texts, "1.50E-03"));
    EXPECT_TRUE(Contains(texts, "Km [SI]"));
    EXPECT_TRUE(Contains(texts, "1.000"));
    EXPECT_TRUE(Contains(texts, "1.200"));
}

TEST(PrepareParameterPlot, ConstantValuesGiveARangeOfWidthOne)
{
    const std::vector<SpecimenRecord> records {Record(300, 1.0f), Record(300, 1.0f)};

    const auto data = PrepareParameterPlot(1, plotkind::PKm, records);

    EXPECT_EQ(data->yMin, 1);
    EXPECT_EQ(data->yMax, 2);
    EXPECT_FLOAT_EQ(data->xMin, 0.0003f);
    EXPECT_FLOAT_EQ(data->xMax, 1.0003f);
}

TEST(PrepareParameterPlot, FieldPlotDividesByTheSmallestKm)
{
    std::vector<SpecimenRecord> records {Record(100, 1.1f), Record(250, 1.1f)};
    records[1].Field = 400;

    const auto data = PrepareParameterPlot(1, plotkind::HKm, records);

    ASSERT_EQ(data->y.size(), 2u);
    EXPECT_DOUBLE_EQ(data->y[0], 1.0);
    EXPECT_NEAR(data->y[1], 2.5, 1e-6);
    EXPECT_EQ(data->xMin, 0);
    EXPECT_EQ(data->xMax, 400);
    EXPECT_EQ(data->yMin, 1);
    EXPECT_EQ(data->xAxisAtY, 1);
    EXPECT_EQ(data->yAxisAtX, 0);
    EXPECT_EQ(data->axes.xName + data->axes.xUnit, "H [A/m]");
}

TEST(PrepareParameterPlot, LogOfAZeroKmIsLeftOutOfRangeAndDrawing)
{
    const std::vector<SpecimenRecord> records {Record(0, 1.1f), Record(1000, 1.2f),
                                               Record(100, 1.3f)};

    const auto data = PrepareParameterPlot(1, plotkind::PLogKm, records);
    const auto canvas = Draw(*data);

    EXPECT_FLOAT_EQ(data->xMin, -4);
    EXPECT_FLOAT_EQ(data->xMax, -3);
    std::size_t records_drawn = 0;
    for (const SymbolItem& s : OpsOf<SymbolItem>(canvas))
        records_drawn += s.shape == Square;
    EXPECT_EQ(records_drawn, 2u);
}

TEST(DrawParameterPlot, TPlotsHaveTheirXAxisInTheMiddle)
{
    const std::vector<SpecimenRecord> records {Record(100, 1.1f, 0.5f), Record(100, 1.3f, -0.2f)};

    const auto data = PrepareParameterPlot(2, plotkind::PT, records);
    const auto canvas = Draw(*data);

    const auto lines = OpsOf<PolylineOp>(canvas);
    EXPECT_EQ(lines[0].points, (std::vector<Point> {{40, 150}, {360, 150}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point> {{40, 250}, {40, 50}}));
    const auto texts = TextsOf(canvas);
    EXPECT_TRUE(Contains(texts, "-1"));
    EXPECT_TRUE(Contains(texts, "1"));
    EXPECT_TRUE(Contains(texts, "T"));
    EXPECT_TRUE(Contains(texts, "P"));
}

TEST(DrawParameterPlot, LFPlotPutsEqualValuesOnTheDashedDiagonal)
{
    SpecimenRecord equal = Record(100, 1.1f);
    equal.L = 1.05f;
    equal.F = 1.05f;
    SpecimenRecord other = equal;
    other.L = 1.02f;
    other.F = 1.10f;
    const std::vector<SpecimenRecord> records {equal, other};

    const auto data = PrepareParameterPlot(2, plotkind::LF, records);
    const auto canvas = Draw(*data);

    EXPECT_FLOAT_EQ(data->xMax, 1.1f);
    EXPECT_FLOAT_EQ(data->yMax, 1.1f);
    const auto lines = OpsOf<PolylineOp>(canvas);
    const auto diagonal = std::find_if(lines.begin(), lines.end(), [](const PolylineOp& l) {
        return l.pen.style == PenStyle::Dash;
    });
    ASSERT_NE(diagonal, lines.end());
    EXPECT_EQ(diagonal->points, (std::vector<Point> {{40, 250}, {360, 50}}));
    const SymbolItem first = OpsOf<SymbolItem>(canvas)[4];
    // On the line from (40, 250) to (360, 50): y - 250 = -(200/320)(x - 40).
    EXPECT_NEAR(first.y - 250, -(200.0 / 320.0) * (first.x - 40), 1e-3);
}

TEST(DrawParameterPlot, SelectedRecordsAreDrawnRedAfterTheOthers)
{
    const std::vector<SpecimenRecord> records {Record(100, 1.1f, 0, true), Record(100, 1.1f)};

    const auto symbols = OpsOf<SymbolItem>(Draw(*PrepareParameterPlot(2, plotkind::PT, records)));

    const SymbolItem& last = symbols.back();
    const SymbolItem& before = symbols[symbols.size() - 2];
    EXPECT_EQ(last.fill, Red);
    EXPECT_EQ(last.outline, Black);
    EXPECT_EQ(before.fill, (Colour {0, 255, 255}));
    EXPECT_EQ(last.x, before.x);
    EXPECT_EQ(last.y, before.y);
}

TEST(DrawParameterPlot, NamesAreBoldAndPlacedByKind)
{
    const std::vector<SpecimenRecord> records {Record(100, 1.1f), Record(200, 1.2f)};

    const auto first = OpsOf<TextItem>(Draw(*PrepareParameterPlot(1, plotkind::PjKm, records)));
    const auto second = OpsOf<TextItem>(Draw(*PrepareParameterPlot(2, plotkind::PU, records)));

    const auto named = [](const std::vector<TextItem>& texts, const std::string& name) {
        return *std::find_if(texts.begin(), texts.end(), [&](auto& t) { return t.text == name; });
    };
    EXPECT_EQ(named(first, "Km [SI]").at, (Point {200, 258}));
    EXPECT_EQ(named(first, "Km [SI]").weight, 700);
    EXPECT_EQ(named(first, "Pj").at, (Point {10, 35}));
    EXPECT_EQ(named(second, "P").at, (Point {395, 158}));
    EXPECT_EQ(named(second, "U").weight, 700);
}

TEST(PrepareParameterPlot, UnknownPlotOrKindGivesNothing)
{
    const std::vector<SpecimenRecord> records {Record(100, 1.1f)};

    EXPECT_FALSE(PrepareParameterPlot(1, 0, records));
    EXPECT_FALSE(PrepareParameterPlot(2, 5, records));
    EXPECT_FALSE(PrepareParameterPlot(3, 1, records));
}

TEST(PrepareParameterPlot, NoRecordsGiveUnitRanges)
{
    const auto data = PrepareParameterPlot(2, plotkind::PjT, {});

    EXPECT_EQ(data->xMin, 1);
    EXPECT_EQ(data->xMax, 2);
    EXPECT_EQ(data->yMin, -1);
    EXPECT_EQ(data->yMax, 1);
}

TEST(FormatLabel, IgnoresTheLocaleAndFormatsEachKind)
{
    EXPECT_EQ(FormatLabel(1.23456, LabelFormat::ThreeDecimals), "1.235");
    EXPECT_EQ(FormatLabel(-1, LabelFormat::Whole), "-1");
    EXPECT_EQ(FormatLabel(0.000345, LabelFormat::Scientific), "3.45E-04");
    EXPECT_EQ(FormatLabel(std::nan(""), LabelFormat::Whole), "");
}

} // namespace
} // namespace tesmor::plot

namespace tesmor::plot {
namespace {

TEST(PrepareParameterPlot, ValuesWithoutAnyFiniteOneGiveAUnitRangeAtTheFixedBound)
{
    std::vector<model::SpecimenRecord> records(2);
    records[0].P = std::nanf("");
    records[1].P = std::numeric_limits<float>::infinity();

    const auto data = PrepareParameterPlot(1, plotkind::PKm, records);

    EXPECT_EQ(data->yMin, 1);
    EXPECT_EQ(data->yMax, 2);
}

} // namespace
} // namespace tesmor::plot
