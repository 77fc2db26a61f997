#include "math/matrix.h"
#include "support/math_near.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

TEST(VecToDir, GivesTheFrameAxesAndInvertsDirToVec)
{
    EXPECT_EQ(VecToDir(Vec3 {{0, 0, 1}}), (Direction {0, 90}));
    EXPECT_EQ(VecToDir(Vec3 {{1, 0, 0}}), (Direction {0, 0}));
    EXPECT_EQ(VecToDir(Vec3 {{0, 0, -2}}), (Direction {0, -90}));
    EXPECT_FLOAT_EQ(VecToDir(Vec3 {{0, -1, 0}}).Dec, 270);
    EXPECT_FLOAT_EQ(VecToDir(Vec3 {{0, -1, 0}}).Inc, 0);
    for (float dec = 0; dec < 360; dec += 17.5f) {
        for (float inc = -85; inc <= 85; inc += 12.5f) {
            const Direction d = VecToDir(DirToVec(dec, inc));
            EXPECT_NEAR(d.Dec, dec, 1e-3) << dec << " " << inc;
            EXPECT_NEAR(d.Inc, inc, 1e-3) << dec << " " << inc;
        }
    }
}

TEST(InverseTrigonometry, CoversTheQuadrantsIsExactAtTheEndsAndClampsRoundedArguments)
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
    const double cases[][3]
        = {{0, 0, 0},        {0, -1, Pi},    {-1e-12, -1, -Pi},    {1, 0, Pi / 2},
           {-1, 0, -Pi / 2}, {1, 1, Pi / 4}, {-1, -1, -3 * Pi / 4}};
    for (const auto& c : cases)
        EXPECT_NEAR(ArcTan2(c[0], c[1]), c[2], 2e-12) << c[0] << " " << c[1];
    EXPECT_EQ(ArcTan2(0, 0), 0);
}

TEST(OrientDown, ReversesColumnsPointingUpAndKeepsHorizontalOnes)
{
    Mat3 A;
    A.e = {1, 4, -7, 2, 5, 8, -3, 0, 9}; // columns: up (reversed), horizontal, down

    OrientDown(A, A, true);

    EXPECT_EQ(A.e, (std::array<float, 9> {-1, 4, -7, -2, 5, 8, 3, 0, 9}));
}

TEST(Mvsym, PacksAndUnpacksTheSixComponentsInFileOrder)
{
    const Vec6 v {{1.1f, 1.0f, 0.9f, 0.01f, 0.02f, 0.03f}};

    const Mat3 M = UnpackSymmetric(v);

    EXPECT_EQ(M.e,
              (std::array<float, 9> {1.1f, 0.01f, 0.03f, 0.01f, 1.0f, 0.02f, 0.03f, 0.02f, 0.9f}));
    EXPECT_EQ(PackSymmetric(M), v);
}

TEST(Minv, InvertsARotationIntoItsTransposeAndAGeneralMatrix)
{
    const Mat3 R = test::EulerRotation(30, 40, 50);
    Mat3 A;
    A.e = {4, 1, 0, 1, 3, 1, 0, 1, 2};
    Mat3 inverse;
    float det = 0;

    Minv(R, inverse, det);
    EXPECT_NEAR(det, 1, 1e-5);
    EXPECT_TRUE(test::TensorsNear(inverse, test::Transpose(R), 1e-6));
    Minv(A, inverse, det);
    EXPECT_TRUE(test::TensorsNear(Mxmpy(A, inverse), Mat3::Identity(), 1e-6));
}

TEST(Mxabat, RotatesATensorLikeTheProductRTRt)
{
    const Mat3 R = test::EulerRotation(10, 70, 200);
    const Mat3 T = test::TensorWithAxes(test::EulerRotation(5, 15, 25), 1.1, 1.0, 0.9);

    EXPECT_TRUE(test::TensorsNear(Mxabat(R, T), Mxmpy(Mxmpy(R, T), test::Transpose(R)), 1e-6));
}

TEST(RotAxis, IsARotationThatKeepsItsAxisAndTurnsDeclinationsClockwiseAboutDown)
{
    const Vec3 u = DirToVec(123, 37);
    const Mat3 R = RotAxis(u, 71);

    EXPECT_TRUE(test::TensorsNear(Mxmpy(R, test::Transpose(R)), Mat3::Identity(), 1e-6));
    EXPECT_LT(test::LineAngle(VecToDir(Mvmpy(R, u)), VecToDir(u)), 1e-4);
    const Direction turned = VecToDir(Mvmpy(RotAxis(Vec3 {{0, 0, 1}}, 90), DirToVec(0, 20)));
    EXPECT_NEAR(turned.Dec, 90, 1e-4);
    EXPECT_NEAR(turned.Inc, 20, 1e-4);
}

} // namespace
} // namespace tesmor::math
