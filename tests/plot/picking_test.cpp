#include "plot/picking.h"
#include "plot_test_helpers.h"

#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

using math::Projection;

// Directions projected and drawn come back under the mouse, in both projections and in a frame
// that is not the window's default; outside the primitive circle nothing is read.
TEST(Picking, NetReadsBackTheDrawnDirections)
{
    const NetFrame frame {310, 240, 500};
    for (Projection projection : {Projection::EqualAngle, Projection::EqualArea}) {
        for (const auto& [dec, inc] :
             {std::pair {0.0f, 0.0f}, {45, 30}, {135, 60}, {200, 5}, {290, 89}, {359.5f, 45}}) {
            SCOPED_TRACE(testing::Message() << int(projection) << ": " << dec << "/" << inc);
            const NetPoint p = ProjectDirection(projection, dec, inc);
            const Direction d
                = DirectionAt(projection, NetFromCanvas(frame, frame.toCanvas(p.x, p.y)));
            EXPECT_NEAR(d.dec, dec, 1e-3);
            EXPECT_NEAR(d.inc, inc, 1e-3);
        }
        const ReadOut centre = NetReadOut(projection, frame, {310, 240});
        EXPECT_EQ(centre.first, "D= 0.0");
        EXPECT_EQ(centre.second, "I= 90.0");
        for (const WorldPoint outside : {WorldPoint {561, 240}, {310, -20}, {0, 0}}) {
            const ReadOut out = NetReadOut(projection, frame, outside);
            EXPECT_EQ(out.first + out.second, "");
        }
    }
}

// Every plot kind maps its drawn positions back to the values; the texts carry Km in 1e-6 SI
// and H-Km its ratio as drawn; nothing is read outside the ranges or without a range.
TEST(Picking, PlotsReadBackTheDrawnValues)
{
    std::vector<model::SpecimenRecord> records {test::RecordWithAxes(0, 0, 0, 0, 0, 0),
                                                test::RecordWithAxes(0, 0, 0, 0, 0, 0)};
    std::tie(records[1].Km, records[1].P, records[1].Pj, records[1].L, records[1].F, records[1].T,
             records[1].U, records[1].Field)
        = std::tuple {500.0f, 1.3f, 1.35f, 1.2f, 1.1f, -0.5f, -0.6f, 600.0f};
    const PlotStyle style {60, 400, 480, 300};
    const std::tuple<int, int, std::string, std::string> cases[] {
        {1, plotkind::PKm, "Km= 200.0E-06", "P= 1.100"},
        {1, plotkind::PjKm, "Km= 200.0E-06", "Pj= 1.110"},
        {1, plotkind::PLogKm, "Log Km= -3.699", "P= 1.100"},
        {1, plotkind::HKm, "H= 300", "K / Kmin= 1.000"},
        {2, plotkind::PT, "P= 1.100", "T= 0.200"},
        {2, plotkind::PjT, "Pj= 1.110", "T= 0.200"},
        {2, plotkind::LF, "L= 1.050", "F= 1.040"},
        {2, plotkind::PU, "P= 1.100", "U= 0.100"},
    };
    for (const auto& [plot, kind, first, second] : cases) {
        SCOPED_TRACE(testing::Message() << plot << "/" << kind);
        const PlotData data = PrepareParameterPlot(plot, kind, records).value();
        for (std::size_t i = 0; i < 2; ++i) {
            const WorldPoint v
                = PlotFromCanvas(style, data, PlotToCanvas(style, data, data.x[i], data.y[i]));
            EXPECT_NEAR(v.x, data.x[i], 1e-9 + 1e-9 * std::fabs(data.x[i]));
            EXPECT_NEAR(v.y, data.y[i], 1e-9);
        }
        const ReadOut at
            = PlotReadOut(plot, kind, style, data, PlotToCanvas(style, data, data.x[0], data.y[0]));
        EXPECT_EQ(at.first, first);
        EXPECT_EQ(at.second, second);
        const ReadOut beside = PlotReadOut(plot, kind, style, data, {style.left - 1, 300});
        EXPECT_EQ(beside.first + beside.second, "");
        PlotData flat = data;
        flat.xMax = flat.xMin;
        const ReadOut none = PlotReadOut(plot, kind, style, flat, {200, 300});
        EXPECT_EQ(none.first + none.second, "");
        EXPECT_EQ(PlotFromCanvas(style, flat, {200, 300}).x, flat.xMin);
    }
}

TEST(Picking, ModifiersChooseTheCountedAxes)
{
    using Axes = std::array<bool, 3>;
    const Axes all {true, true, true};
    const Axes noK1 {false, true, true};
    const std::tuple<Modifiers, Axes, Axes> cases[] {
        {{}, all, all},
        {{}, noK1, noK1},
        {{true, false, false}, all, {false, false, true}},
        {{false, true, false}, all, {true, false, false}},
        {{false, true, false}, noK1, {false, false, false}},
        {{false, false, true}, all, {false, true, false}},
        {{true, true, false}, all, {false, false, false}},
        {{false, true, true}, all, {false, false, false}},
        {{true, true, true}, all, {false, false, false}},
    };
    for (const auto& [modifiers, shown, counted] : cases)
        EXPECT_EQ(CountedAxes(modifiers, shown), counted)
            << modifiers.shift << modifiers.ctrl << modifiers.alt;
}

// Edges belong to the rectangle, whichever corner the drag started from.
TEST(Picking, RectangleIncludesItsEdges)
{
    PlotData data;
    data.x = {1, 2, 3};
    data.y = {5, 6, 7};
    for (const auto& [a, b] : {std::pair {WorldPoint {1, 5}, WorldPoint {2, 6}}, {{2, 6}, {1, 5}}})
        EXPECT_EQ(PlotSelection(data, OrderedRectangle(a, b)), (std::vector {true, true, false}));
}

} // namespace
} // namespace tesmor::plot
