#include "plot/symbols.h"
#include "plot_test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

constexpr Colour Blue {0, 0, 255};

std::string Name(Colour c)
{
    return c == White ? "white" : c == Black ? "black" : c == Blue ? "blue" : "other";
}

std::string Text(std::string kind, const std::vector<Point>& points)
{
    for (const Point& p : points)
        kind += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    return kind;
}

// The primitives of a blue marker with a black outline (pen width 3 offered) as
// "kind fill/outline x,y ...", lines as "line colour/width x,y ...", ellipses by their box.
std::vector<std::string> Expanded(int shape, double x, double y, int size, double angle = 0)
{
    RecordingCanvas canvas;
    ExpandSymbol(canvas, SymbolItem {shape, x, y, size, Blue, Black, angle, 3});
    std::vector<std::string> out;
    for (const Operation& op : canvas.operations()) {
        if (const auto* p = std::get_if<PolygonOp>(&op))
            out.push_back(Text("polygon " + Name(p->fill) + "/" + Name(p->outline), p->points));
        else if (const auto* l = std::get_if<PolylineOp>(&op))
            out.push_back(Text("line " + Name(l->pen.colour) + "/" + std::to_string(l->pen.width),
                               l->points));
        else if (const auto* e = std::get_if<EllipseOp>(&op))
            out.push_back(Text("ellipse " + Name(e->fill) + "/" + Name(e->outline),
                               {{e->box.left, e->box.top}, {e->box.right, e->box.bottom}}));
    }
    return out;
}

// Every shape in whole pixels; the first family members are white inside whatever the fill,
// and only the azimuth line takes the offered pen width. Undefined shapes draw nothing.
TEST(DrawSymbol, EachShapeHasItsGeometryAndColoursAndUndefinedShapesNone)
{
    const std::string square = "polygon blue/black 40,40 60,40 60,60 40,60";
    const std::string circle = "ellipse blue/black 40,40 60,60";
    const std::string dot = "ellipse white/black 48,48 52,52"; // the first members' centre
    const std::tuple<int, double, double, int, double, std::vector<std::string>> cases[] {
        // (45, 52.887), (50, 42.887), (55, 52.887) before rounding: apex up.
        {Triangle, 50, 50, 10, 0, {"polygon blue/black 45,53 50,43 55,53"}},
        {AzimuthLine, 10, 10, 8, 90, {"line black/3 10,10 18,10"}}, // clockwise from up
        {AzimuthLine, 10, 10, 8, 0, {"line black/3 10,10 10,2"}},
        {Square, 20, 30, 10, 0, {"polygon blue/black 15,25 25,25 25,35 15,35"}},
        {Circle, 20, 30, 10, 0, {"ellipse blue/black 15,25 25,35"}},
        {HorizontalLine, 20, 20, 10, 0, {"line black/1 15,20 25,20"}},
        {VerticalLine, 20, 20, 10, 0, {"line black/1 20,15 20,25"}},
        {LeftTick, 20, 20, 8, 0, {"line black/1 20,20 16,20"}},
        {DownTick, 20, 20, 8, 0, {"line black/1 20,20 20,24"}},
        {11, 50, 50, 20, 0, {"polygon white/black 40,40 60,40 60,60 40,60", dot}},
        {31, 50, 50, 20, 0, {"ellipse white/black 40,40 60,60", dot}},
        {12, 50, 50, 20, 0, {square, "line black/1 50,40 50,60", "line black/1 40,50 60,50"}},
        {33, 50, 50, 20, 0, {circle, "line black/1 43,43 57,57", "line black/1 43,57 57,43"}},
        {14, 50, 50, 20, 0, {square, "line black/1 50,40 50,60"}},
        {35, 50, 50, 20, 0, {circle, "line black/1 40,50 60,50"}},
    };
    for (const auto& [shape, x, y, size, angle, expected] : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << shape << " angle " << angle);
        EXPECT_EQ(Expanded(shape, x, y, size, angle), expected);
    }
    RecordingCanvas undefined;
    for (int shape : {0, 7, 10, 16, 30, 36, 40, 60, 99})
        DrawSymbol(undefined, shape, 10, 10, 10, Blue, Black);
    EXPECT_TRUE(undefined.empty());
}

TEST(ToPixel, RoundsHalfToEvenAndClampsWildValues)
{
    EXPECT_EQ(ToPixel(2.5), 2);
    EXPECT_EQ(ToPixel(3.5), 4);
    EXPECT_EQ(ToPixel(-2.5), -2);
    EXPECT_EQ(ToPixel(1e30), 1000000);
    EXPECT_EQ(ToPixel(std::nan("")), 0);
}

} // namespace
} // namespace tesmor::plot
