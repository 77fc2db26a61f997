#include "plot/symbols.h"
#include "plot_test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::plot {
namespace {

using test::OpsOf;

constexpr Colour Blue {0, 0, 255};

RecordingCanvas Expanded(int shape, double x, double y, int size, Colour fill = Blue,
                         double angle = 0, int penWidth = 1)
{
    RecordingCanvas canvas;
    ExpandSymbol(canvas, SymbolItem {shape, x, y, size, fill, Black, angle, penWidth});
    return canvas;
}

TEST(DrawSymbol, TriangleHasItsApexUpAndVerticesRoundedToWholePixels)
{
    const auto canvas = Expanded(Triangle, 50, 50, 10);

    const auto polygons = OpsOf<PolygonOp>(canvas);
    ASSERT_EQ(polygons.size(), 1u);
    // (45, 52.887), (50, 42.887), (55, 52.887) before rounding.
    EXPECT_EQ(polygons[0].points, (std::vector<Point> {{45, 53}, {50, 43}, {55, 53}}));
    EXPECT_EQ(polygons[0].fill, Blue);
    EXPECT_EQ(polygons[0].outline, Black);
}

TEST(DrawSymbol, AzimuthLinePointsClockwiseFromUp)
{
    const auto east = OpsOf<PolylineOp>(Expanded(AzimuthLine, 10, 10, 8, Blue, 90, 3));
    const auto north = OpsOf<PolylineOp>(Expanded(AzimuthLine, 10, 10, 8, Blue, 0));

    ASSERT_EQ(east.size(), 1u);
    EXPECT_EQ(east[0].points, (std::vector<Point> {{10, 10}, {18, 10}}));
    EXPECT_EQ(east[0].pen.width, 3);
    ASSERT_EQ(north.size(), 1u);
    EXPECT_EQ(north[0].points, (std::vector<Point> {{10, 10}, {10, 2}}));
}

TEST(DrawSymbol, SquareAndCircleFillTheBoxOfSideS)
{
    const auto square = OpsOf<PolygonOp>(Expanded(Square, 20, 30, 10));
    const auto circle = OpsOf<EllipseOp>(Expanded(Circle, 20, 30, 10));

    ASSERT_EQ(square.size(), 1u);
    EXPECT_EQ(square[0].points, (std::vector<Point> {{15, 25}, {25, 25}, {25, 35}, {15, 35}}));
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0].box, (Rect {15, 25, 25, 35}));
    EXPECT_EQ(circle[0].fill, Blue);
}

TEST(DrawSymbol, TicksAndLinesHaveTheirLengths)
{
    EXPECT_EQ(OpsOf<PolylineOp>(Expanded(HorizontalLine, 20, 20, 10))[0].points,
              (std::vector<Point> {{15, 20}, {25, 20}}));
    EXPECT_EQ(OpsOf<PolylineOp>(Expanded(VerticalLine, 20, 20, 10))[0].points,
              (std::vector<Point> {{20, 15}, {20, 25}}));
    EXPECT_EQ(OpsOf<PolylineOp>(Expanded(LeftTick, 20, 20, 8))[0].points,
              (std::vector<Point> {{20, 20}, {16, 20}}));
    EXPECT_EQ(OpsOf<PolylineOp>(Expanded(DownTick, 20, 20, 8))[0].points,
              (std::vector<Point> {{20, 20}, {20, 24}}));
}

TEST(DrawSymbol, FirstFamilyMembersAreWhiteInsideWhateverTheFill)
{
    const auto square = Expanded(11, 50, 50, 20);
    const auto circle = Expanded(31, 50, 50, 20);

    ASSERT_EQ(OpsOf<PolygonOp>(square).size(), 1u);
    EXPECT_EQ(OpsOf<PolygonOp>(square)[0].fill, White);
    const auto dot = OpsOf<EllipseOp>(square);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_EQ(dot[0].box, (Rect {48, 48, 52, 52}));
    EXPECT_EQ(dot[0].fill, White);
    const auto circles = OpsOf<EllipseOp>(circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].fill, White);
    EXPECT_EQ(circles[1].box, (Rect {48, 48, 52, 52}));
}

TEST(DrawSymbol, FamilyMarksAreDrawnOverTheFilledShape)
{
    const auto cross = Expanded(12, 50, 50, 20);
    const auto diagonal = Expanded(33, 50, 50, 20);
    const auto vertical = Expanded(14, 50, 50, 20);
    const auto horizontal = Expanded(35, 50, 50, 20);

    EXPECT_EQ(OpsOf<PolygonOp>(cross)[0].fill, Blue);
    EXPECT_EQ(OpsOf<PolylineOp>(cross).size(), 2u);
    const auto diagonals = OpsOf<PolylineOp>(diagonal);
    ASSERT_EQ(diagonals.size(), 2u);
    EXPECT_EQ(diagonals[0].points, (std::vector<Point> {{43, 43}, {57, 57}}));
    EXPECT_EQ(diagonals[1].points, (std::vector<Point> {{43, 57}, {57, 43}}));
    EXPECT_EQ(OpsOf<PolylineOp>(vertical)[0].points, (std::vector<Point> {{50, 40}, {50, 60}}));
    EXPECT_EQ(OpsOf<PolylineOp>(horizontal)[0].points, (std::vector<Point> {{40, 50}, {60, 50}}));
}

TEST(DrawSymbol, UndefinedShapesDrawNothing)
{
    RecordingCanvas canvas;

    for (int shape : {0, 7, 10, 16, 30, 36, 40, 60, 99})
        DrawSymbol(canvas, shape, 10, 10, 10, Blue, Black);

    EXPECT_TRUE(canvas.empty());
}

TEST(DrawSymbol, WhiteFilledSquareIsAnEmptyOutline)
{
    RecordingCanvas canvas;

    DrawSymbol(canvas, Square, 10, 10, 6, White, Black);

    const auto symbols = OpsOf<SymbolItem>(canvas);
    ASSERT_EQ(symbols.size(), 1u);
    const auto polygons = OpsOf<PolygonOp>(Expanded(Square, 10, 10, 6, White));
    EXPECT_EQ(polygons[0].fill, White);
    EXPECT_EQ(polygons[0].outline, Black);
}

TEST(RecordingCanvas, ReplayDrawsTheSameOperationsInOrder)
{
    RecordingCanvas original;
    DrawSymbol(original, Triangle, 5, 5, 4, Blue, Black);
    DrawLabel(original, "N", 1, 2, 12, 700, Black, {HAlign::Centre, VAlign::Top}, 90);
    DrawSegment(original, 0, 0, 3, 4, PenStyle::Dash, Blue, 1);
    DrawDisc(original, 10, 10, 5, Black);
    RecordingCanvas copy;

    original.replay(copy);

    EXPECT_EQ(copy.operations(), original.operations());
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
