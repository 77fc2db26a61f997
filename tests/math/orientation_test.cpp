#include "math/group_statistics.h"
#include "math/orientation.h"
#include "support/math_near.h"

#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

Direction Column(const Mat3& O, int j)
{
    return VecToDir(Vec3 {{O(1, j), O(2, j), O(3, j)}});
}

TEST(OrientationMatrix, GivesSpecimenXTheAzimuthAndPlungeAndZDownWhenLevel)
{
    const Mat3 level = OrientationMatrix(90, 0, 6, 0, 6);
    const Mat3 O = OrientationMatrix(30, 20, 6, 0, 6);

    EXPECT_NEAR(Column(level, 1).Dec, 90, 1e-4);
    EXPECT_NEAR(Column(level, 1).Inc, 0, 1e-4);
    EXPECT_NEAR(Column(level, 3).Inc, 90, 1e-4);
    EXPECT_NEAR(Column(O, 1).Dec, 30, 1e-4);
    EXPECT_NEAR(Column(O, 1).Inc, 20, 1e-4);
    // The plunge measured from the vertical gives the same frame.
    EXPECT_TRUE(test::TensorsNear(OrientationMatrix(30, 70, 6, 90, 6), O, 1e-6));
}

TEST(RotateRecordTensor, TurnsSpecimenXToTheSamplingDirectionAndZeroAnglesChangeNothing)
{
    std::vector<model::SpecimenRecord> records(
        2, test::RecordWithTensor(test::TensorWithAxes(Mat3::Identity(), 1.2, 1.0, 0.8)));
    records[1].K12 = 0.01f;
    const Mat3 before = RecordTensor(records[1]);

    RotateRecordTensor(records[0], 30, 20, 6, 0, 6, RotationMode::SpecimenToGeographic);
    RotateRecordTensor(records[1], 0, 0, 12, 90, 3, RotationMode::SpecimenToGeographic);
    ComputeRecordDerived(records);

    EXPECT_TRUE(test::AxesNear({records[0].K1dec, records[0].K1inc}, {30, 20}, 1e-3));
    EXPECT_NEAR(records[0].K1, 1.2, 1e-6);
    EXPECT_TRUE(test::TensorsNear(RecordTensor(records[1]), before, 0));
}

TEST(RotateRecordTensor, SpecimenToGeographicAndBackReturnsTheTensor)
{
    const Mat3 T = test::TensorWithAxes(test::EulerRotation(15, 25, 35), 1.1, 1.0, 0.9);
    model::SpecimenRecord r = test::RecordWithTensor(T);

    RotateRecordTensor(r, 217, 63, 12, 0, 3, RotationMode::SpecimenToGeographic);
    const Mat3 geographic = RecordTensor(r);
    RotateRecordTensor(r, 217, 63, 12, 0, 3, RotationMode::GeographicToSpecimen);

    EXPECT_FALSE(test::TensorsNear(geographic, T, 1e-3));
    EXPECT_TRUE(test::TensorsNear(RecordTensor(r), T, 2e-6));
}

TEST(NetToDirection, ReadsTheCentreAndTheCardinalPointsOfThePrimitive)
{
    const float points[][4] = {{0, 1, 0, 0}, {1, 0, 90, 0}, {0, -1, 180, 0}, {-1, 0, 270, 0}};
    for (auto readOut : {NetToDirectionEqualArea, NetToDirectionEqualAngle}) {
        EXPECT_EQ(readOut(0, 0), (Direction {0, 90}));
        for (const auto& p : points) {
            const Direction d = readOut(p[0], p[1]);
            EXPECT_NEAR(d.Dec, p[2], 1e-4) << p[0] << " " << p[1];
            EXPECT_NEAR(d.Inc, p[3], 1e-4) << p[0] << " " << p[1];
        }
    }
}

TEST(NetToDirection, ReadsBackAProjectedDirectionInBothProjections)
{
    for (float dec = 0; dec < 360; dec += 13) {
        for (float inc = 0.5f; inc < 90; inc += 7) {
            const Vec3 v = DirToVec(dec, inc);
            const Vec3d vd {{v(1), v(2), v(3)}};
            const NetPoint area = ProjectVector(vd, Projection::EqualArea);
            const NetPoint angle = ProjectVector(vd, Projection::EqualAngle);

            const Direction fromArea = NetToDirectionEqualArea(area.x, area.y);
            const Direction fromAngle = NetToDirectionEqualAngle(angle.x, angle.y);

            EXPECT_LT(test::LineAngle(fromArea, {dec, inc}), 1e-3) << dec << " " << inc;
            EXPECT_LT(test::LineAngle(fromAngle, {dec, inc}), 1e-3) << dec << " " << inc;
            EXPECT_GE(fromArea.Dec, 0);
            EXPECT_LT(fromArea.Dec, 360);
        }
    }
}

} // namespace
} // namespace tesmor::math
