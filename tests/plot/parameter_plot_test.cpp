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
using test::TextNamed;

SpecimenRecord Record(float km, float P, float T = 0, bool selected = false)
{
    SpecimenRecord r = test::RecordWithAxes(0, 0, 0, 0, 0, 0, selected);
    std::tie(r.Km, r.P, r.Pj, r.T) = std::tuple {km, P, P, T};
    return r;
}

RecordingCanvas Draw(int plot, int kind, const std::vector<SpecimenRecord>& records)
{
    RecordingCanvas canvas;
    DrawParameterPlot(canvas, PlotStyle {}, PrepareParameterPlot(plot, kind, records).value());
    return canvas;
}

// Km in SI units, P from 1; ratios to the smallest Km from 1 against the field from 0; the log
// of a zero Km left out; constant data, no data and data without a finite value never give an
// empty range.
TEST(PrepareParameterPlot, RangesStartAtTheFixedBoundsAndAreNeverEmpty)
{
    std::vector<SpecimenRecord> fields {Record(100, 1.1f), Record(250, 1.1f)};
    fields[1].Field = 400;
    const std::vector logs {Record(0, 1.1f), Record(1000, 1.2f), Record(100, 1.3f)};
    const SpecimenRecord infinite = Record(0, std::numeric_limits<float>::infinity());
    const std::tuple<int, int, std::vector<SpecimenRecord>, double, double, double, double>
        cases[] {
            {1, plotkind::PKm, {Record(200, 1.05f), Record(1500, 1.2f)}, 0.0002, 0.0015, 1, 1.2},
            {1, plotkind::HKm, fields, 0, 400, 1, 2.5},
            {1, plotkind::PLogKm, logs, -4, -3, 1, 1.3},
            {1, plotkind::PKm, {Record(300, 1), Record(300, 1)}, 0.0003, 1.0003, 1, 2},
            {2, plotkind::PjT, {}, 1, 2, -1, 1},
            {1, plotkind::PKm, {Record(0, std::nanf("")), infinite}, 0, 1, 1, 2},
        };
    for (const auto& [plot, kind, records, xMin, xMax, yMin, yMax] : cases) {
        SCOPED_TRACE(testing::Message() << plot << "/" << kind << ", " << records.size());
        const auto data = PrepareParameterPlot(plot, kind, records);
        ASSERT_TRUE(data);
        EXPECT_FLOAT_EQ(data->xMin, xMin);
        EXPECT_FLOAT_EQ(data->xMax, xMax);
        EXPECT_FLOAT_EQ(data->yMin, yMin);
        EXPECT_FLOAT_EQ(data->yMax, yMax);
        // The x axis along the lower bound of y (or y = 0), the y axis along the lower bound of x.
        EXPECT_FLOAT_EQ(data->xAxisAtY, yMin < 0 ? 0 : yMin);
        EXPECT_FLOAT_EQ(data->yAxisAtX, xMin);
    }
    // An unknown plot or kind gives nothing.
    EXPECT_FALSE(PrepareParameterPlot(1, 0, fields) || PrepareParameterPlot(2, 5, fields)
                 || PrepareParameterPlot(3, 1, fields));
}

// Only a zero smallest Km leaves the ratios undefined; a negative one still divides.
TEST(PrepareParameterPlot, HKmDividesByTheSmallestKmUnlessItIsZero)
{
    const std::vector negatives {Record(-100, 1), Record(200, 1)};
    const std::vector zeros {Record(0, 1), Record(200, 1)};
    const auto negative = PrepareParameterPlot(1, plotkind::HKm, negatives);
    const auto zero = PrepareParameterPlot(1, plotkind::HKm, zeros);
    ASSERT_TRUE(negative && zero);
    EXPECT_EQ(negative->y, (std::vector<double> {1, -2}));
    EXPECT_TRUE(std::isnan(zero->y[0]) && std::isnan(zero->y[1]));
}

// Axes with their end values, names bold, under the x axis or beside its right end; the T and U
// plots have their x axis in the middle.
TEST(DrawParameterPlot, LabelsItsAxesAndPlacesTheNamesByKind)
{
    const std::vector<SpecimenRecord> records {Record(200, 1.05f), Record(1500, 1.2f)};

    const auto km = Draw(1, plotkind::PjKm, records);
    const auto field = Draw(1, plotkind::HKm, records);
    const auto u = Draw(2, plotkind::PU, {Record(100, 1.1f, 0.5f), Record(100, 1.3f, -0.2f)});

    // TextNamed fails the test when the text is missing.
    for (const char* label : {"2.00E-04", "1.50E-03", "1.000", "1.200"})
        TextNamed(km, label);
    for (const char* label : {"-1", "1"})
        TextNamed(u, label);
    TextNamed(field, "H [A/m]");
    EXPECT_EQ(std::pair(TextNamed(km, "Km [SI]").at, TextNamed(km, "Km [SI]").weight),
              std::pair(Point {200, 258}, 700));
    EXPECT_EQ(TextNamed(km, "Pj").at, (Point {10, 35}));
    const auto lines = OpsOf<PolylineOp>(u);
    EXPECT_EQ(lines[0].points, (std::vector<Point> {{40, 150}, {360, 150}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point> {{40, 250}, {40, 50}}));
    EXPECT_EQ(TextNamed(u, "P").at, (Point {395, 158}));
    EXPECT_EQ(TextNamed(u, "U").weight, 700);
    const auto logs = OpsOf<SymbolItem>(
        Draw(1, plotkind::PLogKm, {Record(0, 1.1f), Record(1000, 1.2f), Record(100, 1.3f)}));
    EXPECT_EQ(std::count_if(logs.begin(), logs.end(),
                            [](const SymbolItem& s) { return s.shape == Square; }),
              2)
        << "the log of a zero Km is drawn";
}

// Equal values lie on the dashed diagonal; selected records are drawn red, after the others.
TEST(DrawParameterPlot, LFPlotPutsEqualValuesOnTheDashedDiagonalAndSelectedRecordsLast)
{
    SpecimenRecord equal = Record(100, 1.1f);
    equal.L = equal.F = 1.05f;
    SpecimenRecord other = equal;
    std::tie(other.L, other.F, other.Selected) = std::tuple(1.02f, 1.10f, true);

    const auto canvas = Draw(2, plotkind::LF, {other, equal});

    const auto lines = OpsOf<PolylineOp>(canvas);
    const auto diagonal = std::find_if(lines.begin(), lines.end(), [](const PolylineOp& l) {
        return l.pen.style == PenStyle::Dash;
    });
    ASSERT_NE(diagonal, lines.end());
    EXPECT_EQ(diagonal->points, (std::vector<Point> {{40, 250}, {360, 50}}));
    const auto symbols = OpsOf<SymbolItem>(canvas);
    // On the line from (40, 250) to (360, 50): y - 250 = -(200/320)(x - 40).
    EXPECT_NEAR(symbols[4].y - 250, -(200.0 / 320.0) * (symbols[4].x - 40), 1e-3);
    // The selected record, first in order, is drawn red after the others.
    ASSERT_EQ(symbols.size(), 6u);
    EXPECT_EQ(std::tuple(symbols[4].fill, symbols[5].fill, symbols[5].outline),
              std::tuple(Colour {0, 255, 255}, Red, Black));
}

} // namespace
} // namespace tesmor::plot
