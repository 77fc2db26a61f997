#include "math/group_statistics.h"
#include "math/matrix.h"
#include "math/orientation.h"
#include "support/math_near.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

TEST(VecToDir, GivesTheFrameAxesAndInvertsDirToVec)
{
    EXPECT_EQ(VecToDir(Vec3 {{0, 0, 1}}), (Direction {0, 90}));
    EXPECT_EQ(VecToDir(Vec3 {{0, 0, -2}}), (Direction {0, -90}));
    EXPECT_EQ(VecToDir(Vec3 {{0, -1, 0}}), (Direction {270, 0}));
    for (float dec = 0; dec < 360; dec += 17.5f)
        for (float inc = -85; inc <= 85; inc += 12.5f)
            EXPECT_LT(test::LineAngle(VecToDir(DirToVec(dec, inc)), {dec, inc}), 1e-3)
                << dec << " " << inc;
}

TEST(InverseTrigonometry, CoversTheQuadrantsIsExactAtTheEndsAndClampsRoundedArguments)
{
    const double justAbove = std::nextafter(1.0, 2.0);
    EXPECT_EQ(std::tuple(ArcSin(1), ArcSin(-1), ArcCos(1)), std::tuple(Pi / 2, -Pi / 2, 0.0));
    EXPECT_EQ(std::tuple(ArcSin(justAbove), ArcCos(justAbove)), std::tuple(Pi / 2, 0.0));
    EXPECT_NEAR(ArcCos(-justAbove), Pi, 1e-6);
    const double cases[][3] = {{0, 0, 0},        {0, -1, Pi},    {-1e-12, -1, -Pi},
                               {-1, 0, -Pi / 2}, {1, 1, Pi / 4}, {-1, -1, -3 * Pi / 4}};
    for (const auto& c : cases)
        EXPECT_NEAR(ArcTan2(c[0], c[1]), c[2], 2e-12) << c[0] << " " << c[1];
}

TEST(OrientDown, ReversesColumnsPointingUpAndKeepsHorizontalOnes)
{
    Mat3 A;
    A.e = {1, 4, -7, 2, 5, 8, -3, 0, 9}; // columns: up (reversed), horizontal, down

    OrientDown(A, A, true);

    EXPECT_EQ(A.e, (std::array<float, 9> {-1, 4, -7, -2, 5, 8, 3, 0, 9}));
}

// Specimen x turns to the sampling direction, zero angles change nothing, and the way back
// returns the tensor. A level specimen has z down; the plunge measured from the vertical gives
// the same frame.
TEST(RotateRecordTensor, TurnsSpecimenXToTheSamplingDirectionAndBack)
{
    const model::SpecimenRecord plain
        = test::RecordWithTensor(test::TensorWithAxes(Mat3::Identity(), 1.2, 1.0, 0.8));
    model::SpecimenRecord r = plain;
    r.K12 = 0.01f;
    const Mat3 T = RecordTensor(r);
    std::vector<model::SpecimenRecord> turned {r, plain};

    RotateRecordTensor(turned[0], 0, 0, 12, 90, 3, RotationMode::SpecimenToGeographic);
    RotateRecordTensor(turned[1], 30, 20, 6, 0, 6, RotationMode::SpecimenToGeographic);
    RotateRecordTensor(r, 217, 63, 12, 0, 3, RotationMode::SpecimenToGeographic);
    const Mat3 geographic = RecordTensor(r);
    RotateRecordTensor(r, 217, 63, 12, 0, 3, RotationMode::GeographicToSpecimen);
    ComputeRecordDerived(turned);

    EXPECT_TRUE(test::TensorsNear(RecordTensor(turned[0]), T, 0));
    EXPECT_LT(test::AxisAngle({turned[1].K1dec, turned[1].K1inc}, {30, 20}), 1e-3);
    EXPECT_NEAR(turned[1].K1, 1.2, 1e-6);
    EXPECT_FALSE(test::TensorsNear(geographic, T, 1e-3));
    EXPECT_TRUE(test::TensorsNear(RecordTensor(r), T, 2e-6));
    const Mat3 level = OrientationMatrix(90, 0, 6, 0, 6);
    EXPECT_LT(test::AxisAngle(VecToDir(Vec3 {{level(1, 3), level(2, 3), level(3, 3)}}), {0, 90}),
              1e-4);
    EXPECT_TRUE(test::TensorsNear(OrientationMatrix(30, 70, 6, 90, 6),
                                  OrientationMatrix(30, 20, 6, 0, 6), 1e-6));
}

// Also at the centre and on the primitive; declinations stay in [0, 360).
TEST(NetToDirection, ReadsBackAProjectedDirectionInBothProjections)
{
    EXPECT_EQ(NetToDirectionEqualArea(0, 0), (Direction {0, 90}));
    EXPECT_EQ(NetToDirectionEqualAngle(0, 0), (Direction {0, 90}));
    for (float dec = 0; dec < 360; dec += 13) {
        for (float inc = 0; inc < 90; inc += 7.5f) {
            const Vec3 v = DirToVec(dec, inc);
            const NetPoint area = ProjectVector(Vec3d {{v(1), v(2), v(3)}}, Projection::EqualArea);
            const NetPoint angle
                = ProjectVector(Vec3d {{v(1), v(2), v(3)}}, Projection::EqualAngle);

            const Direction fromArea = NetToDirectionEqualArea(area.x, area.y);

            EXPECT_TRUE(fromArea.Dec >= 0 && fromArea.Dec < 360) << fromArea.Dec;
            EXPECT_LT(test::LineAngle(fromArea, {dec, inc}), 1e-3) << dec << " " << inc;
            EXPECT_LT(test::LineAngle(NetToDirectionEqualAngle(angle.x, angle.y), {dec, inc}), 1e-3)
                << dec << " " << inc;
        }
    }
}

} // namespace
} // namespace tesmor::math
