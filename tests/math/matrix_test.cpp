#include "math/matrix.h"
#include "support/math_near.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tesmor::math {
namespace {

TEST(VecToDir, GivesDeclinationAndInclinationOfTheFrameAxes)
{
    const Direction down = VecToDir(Vec3 {{0, 0, 1}});
    const Direction north = VecToDir(Vec3 {{1, 0, 0}});
    const Direction west = VecToDir(Vec3 {{0, -1, 0}});
    const Direction up = VecToDir(Vec3 {{0, 0, -2}});

    EXPECT_EQ(down, (Direction {0, 90}));
    EXPECT_EQ(north, (Direction {0, 0}));
    EXPECT_FLOAT_EQ(west.Dec, 270);
    EXPECT_FLOAT_EQ(west.Inc, 0);
    EXPECT_EQ(up, (Direction {0, -90}));
}

TEST(VecToDir, InvertsDirToVec)
{
    for (float dec = 0; dec < 360; dec += 17.5f) {
        for (float inc = -85; inc <= 85; inc += 12.5f) {
            const Direction d = VecToDir(DirToVec(dec, inc));

            EXPECT_NEAR(d.Dec, dec, 1e-3) << dec << " " << inc;
            EXPECT_NEAR(d.Inc, inc, 1e-3) << dec << " " << inc;
        }
    }
}

TEST(ArcTan2, CoversTheFourQuadrantsAndTheAxes)
{
    EXPECT_EQ(ArcTan2(0, 0), 0);
    EXPECT_DOUBLE_EQ(ArcTan2(0, -1), Pi);
    EXPECT_NEAR(ArcTan2(-1e-12, -1), -Pi, 1e-9);
    EXPECT_DOUBLE_EQ(ArcTan2(1, 0), Pi / 2);
    EXPECT_DOUBLE_EQ(ArcTan2(-1, 0), -Pi / 2);
    EXPECT_NEAR(ArcTan2(1, 1), Pi / 4, 1e-15);
    EXPECT_NEAR(ArcTan2(-1, -1), -3 * Pi / 4, 1e-15);
}

TEST(ArcSinAndArcCos, AreExactAtTheEndsAndClampRoundedArguments)
{
    const double justAbove = std::nextafter(1.0, 2.0);

    EXPECT_EQ(ArcSin(1), Pi / 2);
    EXPECT_EQ(ArcSin(-1), -Pi / 2);
    EXPECT_EQ(ArcCos(1), 0);
    EXPECT_EQ(ArcSin(justAbove), Pi / 2);
    EXPECT_EQ(ArcCos(justAbove), 0);
    EXPECT_NEAR(ArcCos(-justAbove), Pi, 1e-6);
    EXPECT_NEAR(ArcCos(0.5), Pi / 3, 1e-12);
    EXPECT_NEAR(ArcSin(0.5), Pi / 6, 1e-12);
}

TEST(OrientDown, ReversesColumnsPointingUpAndKeepsHorizontalOnes)
{
    Mat3 A;
    A(1, 1) = 1, A(2, 1) = 2, A(3, 1) = -3; // up: reversed
    A(1, 2) = 4, A(2, 2) = 5, A(3, 2) = 0; // horizontal: kept
    A(1, 3) = -7, A(2, 3) = 8, A(3, 3) = 9; // down: kept

    OrientDown(A, A, true);

    EXPECT_EQ(A(1, 1), -1);
    EXPECT_EQ(A(3, 1), 3);
    EXPECT_EQ(A(1, 2), 4);
    EXPECT_EQ(A(3, 2), 0);
    EXPECT_EQ(A(1, 3), -7);
}

TEST(Mvsym, PacksAndUnpacksTheSixComponentsInFileOrder)
{
    const Vec6 v {{1.1f, 1.0f, 0.9f, 0.01f, 0.02f, 0.03f}};

    const Mat3 M = UnpackSymmetric(v);

    EXPECT_EQ(M(1, 2), 0.01f);
    EXPECT_EQ(M(2, 1), 0.01f);
    EXPECT_EQ(M(3, 2), 0.02f);
    EXPECT_EQ(M(1, 3), 0.03f);
    EXPECT_EQ(M(3, 1), 0.03f);
    EXPECT_EQ(PackSymmetric(M), v);
}

TEST(Minv, InvertsARotationIntoItsTranspose)
{
    const Mat3 R = test::EulerRotation(30, 40, 50);
    Mat3 inverse;
    float det = 0;

    Minv(R, inverse, det);

    EXPECT_NEAR(det, 1, 1e-5);
    EXPECT_TRUE(test::TensorsNear(inverse, test::Transpose(R), 1e-6));
}

TEST(Minv, InvertsAGeneralMatrix)
{
    Mat3 A;
    A.e = {4, 1, 0, 1, 3, 1, 0, 1, 2};
    Mat3 inverse;
    float det = 0;

    Minv(A, inverse, det);

    EXPECT_TRUE(test::TensorsNear(Mxmpy(A, inverse), Mat3::Identity(), 1e-6));
}

TEST(Mxabat, RotatesATensorLikeTheProductRTRt)
{
    const Mat3 R = test::EulerRotation(10, 70, 200);
    const Mat3 T = test::TensorWithAxes(test::EulerRotation(5, 15, 25), 1.1, 1.0, 0.9);

    const Mat3 rotated = Mxabat(R, T);

    EXPECT_TRUE(test::TensorsNear(rotated, Mxmpy(Mxmpy(R, T), test::Transpose(R)), 1e-6));
}

TEST(RotAxis, AboutDownTurnsDeclinationsClockwise)
{
    const Mat3 R = RotAxis(Vec3 {{0, 0, 1}}, 90);

    const Direction turned = VecToDir(Mvmpy(R, DirToVec(0, 20)));

    EXPECT_NEAR(turned.Dec, 90, 1e-4);
    EXPECT_NEAR(turned.Inc, 20, 1e-4);
}

TEST(RotAxis, IsARotationAndKeepsItsAxis)
{
    const Vec3 u = DirToVec(123, 37);

    const Mat3 R = RotAxis(u, 71);

    EXPECT_TRUE(test::TensorsNear(Mxmpy(R, test::Transpose(R)), Mat3::Identity(), 1e-6));
    const Vec3 kept = Mvmpy(R, u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(kept(i), u(i), 1e-6);
}

} // namespace
} // namespace tesmor::math
