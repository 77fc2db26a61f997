#include "plot/net_curves.h"
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

TEST(DrawGreatCircle, HorizontalPlaneDrawsNothingAndVerticalPlaneADiameterAlongItsStrike)
{
    EXPECT_TRUE(GreatCircle(120, 0).empty());

    const auto lines = GreatCircle(90, 90);
    ASSERT_EQ(lines.size(), 1u);
    for (const Point& p : lines[0].points)
        EXPECT_NEAR(p.x, 200, 1);
    const auto [low, high]
        = std::minmax_element(lines[0].points.begin(), lines[0].points.end(),
                              [](const Point& a, const Point& b) { return a.y < b.y; });
    EXPECT_EQ(low->y, 30);
    EXPECT_EQ(high->y, 370);
}

TEST(DrawGreatCircle, PlaneDipping30EastCrossesThePrimitiveAtItsStrike)
{
    // The dip line, 30 degrees below the horizontal towards 90, lies at r = sqrt(1 - sin 30)
    // = 0.7071 in the equal-area net and at r = tan 30 = 0.5774 in the equal-angle net.
    for (auto [projection, onDipLine] : {std::pair {Projection::EqualArea, Point {320, 200}},
                                         std::pair {Projection::EqualAngle, Point {298, 200}}}) {
        SCOPED_TRACE(static_cast<int>(projection));
        const auto lines = GreatCircle(90, 30, projection);
        ASSERT_EQ(lines.size(), 1u);
        const auto& points = lines[0].points;
        EXPECT_EQ(points.front(), (Point {200, 30}));
        EXPECT_EQ(points.back(), (Point {200, 370}));
        EXPECT_NE(std::find(points.begin(), points.end(), onDipLine), points.end());
        EXPECT_EQ(lines[0].pen, (Pen {PenStyle::Dash, Red, 1}));
    }
}

TEST(DrawGreatCircle, NeverJoinsTheEndsByAChordWhateverTheDipDirection)
{
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
std::vector<NetPoint> CircleCurve(double cx, double cy, double radius)
{
    std::vector<NetPoint> curve;
    for (int t = 0; t < math::EllipseCurvePoints; ++t) {
        const double phi = t * 0.1 * 3.14159265358979 / 180;
        double x = cx + radius * std::cos(phi);
        double y = cy + radius * std::sin(phi);
        const double r = std::hypot(x, y);
        const double scale = r > 1 ? -(2 - r) / r : 1;
        curve.push_back({static_cast<float>(x * scale), static_cast<float>(y * scale)});
    }
    return curve;
}

TEST(DrawConfidenceEllipse, InsideTheNetIsOneClosedPolylineOf3600Points)
{
    const auto lines = Ellipse(CircleCurve(0.2, 0.1, 0.1));

    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 3600u);
    const Point first = lines[0].points.front();
    const Point last = lines[0].points.back(); // point 3600, which is point 0
    EXPECT_LE(std::abs(first.x - last.x) + std::abs(first.y - last.y), 1);
}

TEST(DrawConfidenceEllipse, CrossingThePrimitiveSplitsWithoutAChord)
{
    const auto lines = Ellipse(CircleCurve(0.95, 0, 0.15));

    ASSERT_GE(lines.size(), 2u);
    std::size_t total = 0;
    int east = 0, west = 0; // pieces starting on either side of the net
    for (const PolylineOp& line : lines) {
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
    const auto lines = Ellipse({{0.1f, 0.1f},
                                {0.1f, 0.1f},
                                {0.11f, 0.1f},
                                {std::nanf(""), 0},
                                {0.12f, 0.1f},
                                {0.13f, 0.1f}});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points.size(), 2u);
    EXPECT_EQ(lines[1].points.size(), 2u);
}

TEST(ProjectDirection, HorizontalOnThePrimitiveVerticalAtTheCentreUpwardLikeDownward)
{
    for (Projection p : {Projection::EqualAngle, Projection::EqualArea}) {
        SCOPED_TRACE(static_cast<int>(p));
        const NetPoint east = ProjectDirection(p, 90, 0);
        const NetPoint vertical = ProjectDirection(p, 123, 90);
        EXPECT_NEAR(std::hypot(east.x - 1, east.y), 0, 1e-6);
        EXPECT_NEAR(std::hypot(vertical.x, vertical.y), 0, 1e-6);
        EXPECT_EQ(ProjectDirection(p, 40, 25), ProjectDirection(p, 40, -25));
    }
}

} // namespace
} // namespace tesmor::plot
