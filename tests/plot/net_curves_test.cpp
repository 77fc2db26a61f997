#include "plot/net_curves.h"
#include "plot/symbols.h"
#include "plot_test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

using math::Projection;
using test::OpsOf;

const NetFrame Frame {200, 200, 340};

std::vector<PolylineOp> GreatCircle(float dipDirection, float dip,
                                    Projection projection = Projection::EqualArea)
{
    RecordingCanvas canvas;
    DrawGreatCircle(canvas, Frame, projection, dipDirection, dip, PenStyle::Dash, Red, 1);
    return OpsOf<PolylineOp>(canvas);
}

std::vector<PolylineOp> Ellipse(const std::vector<NetPoint>& curve)
{
    RecordingCanvas canvas;
    DrawConfidenceEllipse(canvas, Frame, curve, 1, Black);
    return OpsOf<PolylineOp>(canvas);
}

double LongestStep(const std::vector<Point>& points)
{
    double longest = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        longest = std::max(
            longest, std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y));
    return longest;
}

// From strike to strike through the dip line, which lies at r = sqrt(1 - sin 30) = 0.7071 in the
// equal-area net and at r = tan 30 = 0.5774 in the equal-angle net for a dip of 30 degrees.
TEST(DrawGreatCircle, RunsFromStrikeToStrikeThroughTheDipLine)
{
    const std::tuple<float, Projection, Point> cases[] {{30, Projection::EqualArea, {320, 200}},
                                                        {30, Projection::EqualAngle, {298, 200}},
                                                        {90, Projection::EqualArea, {200, 200}}};
    for (const auto& [dip, projection, onDipLine] : cases) {
        SCOPED_TRACE(testing::Message() << dip << " " << static_cast<int>(projection));
        const auto lines = GreatCircle(90, dip, projection);
        ASSERT_EQ(lines.size(), 1u);
        const auto& points = lines[0].points;
        EXPECT_EQ(points.front(), (Point {200, 30}));
        EXPECT_EQ(points.back(), (Point {200, 370}));
        EXPECT_NE(std::find(points.begin(), points.end(), onDipLine), points.end());
        EXPECT_EQ(lines[0].pen, (Pen {PenStyle::Dash, Red, 1}));
    }
}

// A horizontal plane draws nothing; no other joins its ends by a chord.
TEST(DrawGreatCircle, NeverJoinsTheEndsByAChordWhateverTheDipDirection)
{
    EXPECT_TRUE(GreatCircle(120, 0).empty());
    for (int dd = 0; dd < 360; ++dd) {
        for (float dip : {0.05f, 30.0f, 89.9f}) {
            const auto lines = GreatCircle(static_cast<float>(dd), dip);
            ASSERT_EQ(lines.size(), 1u) << dd << " " << dip;
            EXPECT_LT(LongestStep(lines[0].points), 12) << dd << " " << dip;
        }
    }
}

// A circle of net points; where it leaves the primitive the axis points upwards and the lower
// hemisphere shows it on the opposite side of the net.
std::vector<NetPoint> CircleCurve(double cx, double radius)
{
    std::vector<NetPoint> curve;
    for (int t = 0; t < math::EllipseCurvePoints; ++t) {
        const double phi = t * 0.1 * M_PI / 180;
        const double x = cx + radius * std::cos(phi), y = 0.1 + radius * std::sin(phi);
        const double scale = std::hypot(x, y) > 1 ? 1 - 2 / std::hypot(x, y) : 1;
        curve.push_back({static_cast<float>(x * scale), static_cast<float>(y * scale)});
    }
    return curve;
}

// Drawn through points 1 to 3600: inside the net one closed polyline, across the primitive
// pieces on both sides without a chord.
TEST(DrawConfidenceEllipse, IsOneClosedPolylineInsideAndSplitsAcrossThePrimitive)
{
    const auto inside = Ellipse(CircleCurve(0.2, 0.1));
    const auto across = Ellipse(CircleCurve(0.95, 0.15));

    ASSERT_EQ(inside.size(), 1u);
    ASSERT_EQ(inside[0].points.size(), 3600u);
    const Point first = inside[0].points.front();
    const Point last = inside[0].points.back(); // point 3600, which is point 0
    EXPECT_LE(std::abs(first.x - last.x) + std::abs(first.y - last.y), 1);
    ASSERT_GE(across.size(), 2u);
    std::size_t total = 0;
    int east = 0, west = 0; // pieces starting on either side of the net
    for (const PolylineOp& line : across) {
        EXPECT_LT(LongestStep(line.points), 5);
        total += line.points.size();
        east += line.points.front().x > 300;
        west += line.points.front().x < 100;
    }
    EXPECT_EQ(total, 3600u);
    EXPECT_TRUE(east > 0 && west > 0);
}

TEST(DrawConfidenceEllipse, EmptyCurveDrawsNothingAndUndefinedPointsCutTheCurve)
{
    EXPECT_TRUE(Ellipse({}).empty());

    // Not a jump to the corner where NaN would land. Point 0 only starts the curve.
    const auto lines = Ellipse(
        {{0.1f, 0.1f}, {0.1f, 0.1f}, {0.11f, 0.1f}, {NAN, 0}, {0.12f, 0.1f}, {0.13f, 0.1f}});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::pair(lines[0].points.size(), lines[1].points.size()), std::pair(2ul, 2ul));
}

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
        {LeftTick, 20, 20, 8, 0, {"line black/1 20,20 16,20"}},
        {DownTick, 20, 20, 8, 0, {"line black/1 20,20 20,24"}},
        {11, 50, 50, 20, 0, {"polygon white/black 40,40 60,40 60,60 40,60", dot}},
        {31, 50, 50, 20, 0, {"ellipse white/black 40,40 60,60", dot}},
        {12, 50, 50, 20, 0, {square, "line black/1 50,40 50,60", "line black/1 40,50 60,50"}},
        {33, 50, 50, 20, 0, {circle, "line black/1 43,43 57,57", "line black/1 43,57 57,43"}},
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

// The cache draws what DrawGreatCircle draws, and computes a circle again only from the first
// plane that differs from the last drawing, or for another frame or projection.
TEST(GreatCircleCache, RecomputesOnlyWhatChanged)
{
    GreatCircleCache cache;
    const auto draw
        = [&](std::vector<std::pair<float, float>> planes, NetFrame frame, Projection projection) {
              RecordingCanvas canvas;
              cache.Begin(frame, projection);
              for (const auto& [dd, dip] : planes)
                  cache.Draw(canvas, dd, dip, PenStyle::Dash, Red, 1);
              return std::pair(OpsOf<PolylineOp>(canvas), cache.Computed());
          };
    const std::vector<std::pair<float, float>> planes {{10, 30}, {0, 0}, {200, 60}, {90, 89}};
    std::vector<PolylineOp> fresh;
    for (const auto& [dd, dip] : planes)
        for (const PolylineOp& op : GreatCircle(dd, dip))
            fresh.push_back(op);

    EXPECT_EQ(draw(planes, Frame, Projection::EqualArea), std::pair(fresh, std::size_t(3)));
    EXPECT_EQ(draw(planes, Frame, Projection::EqualArea), std::pair(fresh, std::size_t(0)));
    EXPECT_EQ(draw({{10, 30}, {201, 60}, {90, 89}}, Frame, Projection::EqualArea).second, 2u);
    EXPECT_EQ(draw({{10, 30}}, {100, 100, 170}, Projection::EqualArea).second, 1u);
    EXPECT_EQ(draw({{10, 30}}, {100, 100, 170}, Projection::EqualAngle).second, 1u);

    // A recording refers to the cache's points: those it holds stay as drawn when the cache
    // computes other circles in place of them.
    RecordingCanvas held;
    cache.Begin(Frame, Projection::EqualArea);
    for (const auto& [dd, dip] : planes)
        cache.Draw(held, dd, dip, PenStyle::Dash, Red, 1);
    EXPECT_EQ(draw({{11, 30}, {200, 61}}, Frame, Projection::EqualArea).second, 2u);
    EXPECT_EQ(OpsOf<PolylineOp>(held), fresh);
}

TEST(ToPixel, RoundsHalfToEvenAndClampsWildValues)
{
    EXPECT_EQ(std::tuple(ToPixel(2.5), ToPixel(3.5), ToPixel(-2.5), ToPixel(1e30), ToPixel(NAN)),
              std::tuple(2, 4, -2, 1000000, 0));
}

} // namespace
} // namespace tesmor::plot
