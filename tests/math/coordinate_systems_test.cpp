#include "math/coordinate_systems.h"
#include "support/math_near.h"

#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

using Records = std::vector<model::SpecimenRecord>;

// A record with a plane and a line in group 1 and the tensor with K1 along the line, K3 along
// the pole of the plane (when the line lies in the plane).
model::SpecimenRecord GroupOneRecord(const std::string& code, float dd, float dip, float ld,
                                     float li)
{
    const Vec3 l = DirToVec(ld, li);
    const Direction pole = PlaneToPole(dd, dip);
    const Vec3 p = DirToVec(pole);
    const Vec3 m {
        {p(2) * l(3) - p(3) * l(2), p(3) * l(1) - p(1) * l(3), p(1) * l(2) - p(2) * l(1)}};
    model::SpecimenRecord r = test::RecordWithTensor(
        test::TensorWithAxes(test::RotationFromAxes(l, m, p), 1.1, 1.0, 0.9));
    r.Code1 = code;
    r.F1Dec = dd;
    r.F1Inc = dip;
    r.F1Strike = model::StrikeOfDipDirection(dd);
    r.L1Dec = ld;
    r.L1Inc = li;
    std::vector<model::SpecimenRecord> one {r};
    ComputeRecordDerived(one);
    return one.front();
}

Direction K1(const model::SpecimenRecord& r)
{
    return {r.K1dec, r.K1inc};
}

Direction K3(const model::SpecimenRecord& r)
{
    return {r.K3dec, r.K3inc};
}

TEST(TransformDataSet, InSpecimenAndGeographicSystemsTakesEveryRecordUnchanged)
{
    const Records working {GroupOneRecord("BL", 30, 40, 120, 0), GroupOneRecord("SK", 0, 0, 0, 0)};

    const Records geographic = TransformDataSet(working, CoordinateSystem::Geographic, 'B', 'L',
                                                PaleoReference::Horizontal);
    const Records specimen
        = TransformDataSet(working, CoordinateSystem::Specimen, 'X', '0', PaleoReference::Vertical);

    ASSERT_EQ(geographic.size(), 2u);
    ASSERT_EQ(specimen.size(), 2u);
    EXPECT_EQ(geographic[1].K11, working[1].K11);
    EXPECT_EQ(specimen[0].K13, working[0].K13);
    EXPECT_EQ(specimen[0].F1Dec, 30);
}

TEST(TransformDataSet, PaleoWithAHorizontalPlaneAndNoLineChangesNothing)
{
    const Records working {GroupOneRecord("B0", 0, 0, 45, 0)};

    const Records active = TransformDataSet(working, CoordinateSystem::Paleogeographic, 'B', '0',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_TRUE(test::TensorsNear(RecordTensor(active[0]), RecordTensor(working[0]), 1e-7));
    EXPECT_TRUE(test::AxesNear(K1(active[0]), K1(working[0]), 1e-4));
    EXPECT_EQ(active[0].F1Inc, 0);
}

TEST(TransformDataSet, PaleoHorizontalTurnsTheDownDipLineAndPlaneHorizontal)
{
    const Records working {GroupOneRecord("BL", 0, 30, 0, 30)};

    const Records active = TransformDataSet(working, CoordinateSystem::Paleogeographic, 'B', 'L',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_TRUE(test::AxesNear({active[0].L1Dec, active[0].L1Inc}, {0, 0}, 1e-3));
    EXPECT_NEAR(active[0].F1Inc, 0, 1e-3);
    EXPECT_TRUE(test::AxesNear(K3(active[0]), {0, 90}, 1e-3));
    EXPECT_TRUE(test::AxesNear(K1(active[0]), {0, 0}, 1e-3));
}

TEST(TransformDataSet, PaleoVerticalTurnsThePlaneVertical)
{
    const Records working {GroupOneRecord("B0", 0, 30, 0, 30)};

    const Records active = TransformDataSet(working, CoordinateSystem::Paleogeographic, 'B', '0',
                                            PaleoReference::Vertical);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_NEAR(active[0].F1Inc, 90, 1e-3);
    EXPECT_NEAR(K3(active[0]).Inc, 0, 1e-3);
}

TEST(TransformDataSet, PaleoKeepsTheDeclinationOfAHorizontalLineation)
{
    // The line (30, 0) does not lie in the plane; tilting the plane about its strike (North)
    // would move the line, and the rotation about the vertical brings its declination back (as
    // an axis: the line now plunges upward and is shown reversed).
    const Records working {GroupOneRecord("BL", 90, 40, 30, 0)};

    const Records active = TransformDataSet(working, CoordinateSystem::Paleogeographic, 'B', 'L',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_NEAR(std::fmod(active[0].L1Dec, 180.0f), 30, 1e-3);
    EXPECT_NEAR(active[0].F1Inc, 0, 1e-3);
}

TEST(TransformDataSet, TectonicPutsTheLineationOnTheXAxisAndThePoleVertical)
{
    const Records working {GroupOneRecord("BL", 135, 50, 135, 50),
                           GroupOneRecord("BL", 200, 35, 110, 0),
                           GroupOneRecord("BL", 10, 80, 100, 0)};

    const Records active = TransformDataSet(working, CoordinateSystem::Tectonic, 'B', 'L',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 3u);
    for (const model::SpecimenRecord& r : active) {
        EXPECT_TRUE(test::AxesNear({r.L1Dec, r.L1Inc}, {0, 0}, 1e-3));
        EXPECT_NEAR(r.F1Inc, 0, 1e-3);
        EXPECT_TRUE(test::AxesNear(K1(r), {0, 0}, 1e-3));
        EXPECT_TRUE(test::AxesNear(K3(r), {0, 90}, 1e-3));
    }
}

TEST(TransformDataSet, TectonicUsesAHorizontalLineationAsTheLine)
{
    // A horizontal plane with a horizontal lineation at 60: the lineation, not the strike, goes
    // onto the x axis.
    const Records working {GroupOneRecord("BL", 0, 0, 60, 0)};

    const Records active = TransformDataSet(working, CoordinateSystem::Tectonic, 'B', 'L',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_TRUE(test::AxesNear({active[0].L1Dec, active[0].L1Inc}, {0, 0}, 1e-3));
}

TEST(TransformDataSet, TectonicWithoutALinePutsTheStrikeOnTheXAxis)
{
    const Records working {GroupOneRecord("B0", 45, 30, 45, 30)};

    const Records active = TransformDataSet(working, CoordinateSystem::Tectonic, 'B', '0',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_TRUE(test::AxesNear({active[0].F1Strike, 0}, {0, 0}, 1e-3));
    EXPECT_NEAR(active[0].F1Inc, 0, 1e-3);
    // The down-dip K1 turns onto the y axis.
    EXPECT_TRUE(test::AxesNear(K1(active[0]), {90, 0}, 1e-3));
}

TEST(TransformDataSet, KeepsPrincipalValuesAndParameters)
{
    const Records working {GroupOneRecord("BL", 200, 35, 110, 0)};

    const Records active
        = TransformDataSet(working, CoordinateSystem::Tectonic, 'B', 'L', PaleoReference::Vertical);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].K1, working[0].K1);
    EXPECT_EQ(active[0].Pj, working[0].Pj);
    EXPECT_EQ(active[0].Km, working[0].Km);
    EXPECT_EQ(active[0].AxisPoleAngle1, working[0].AxisPoleAngle1);
    const PrincipalAxes rotated = ComputePrincipalAxes(RecordTensor(active[0]));
    EXPECT_NEAR(rotated.Value[0], working[0].K1, 1e-6);
}

TEST(TransformDataSet, UsesPlaneTwoWhenBothGroupsHaveTheFoliationLetter)
{
    model::SpecimenRecord r = GroupOneRecord("B0", 0, 0, 0, 0);
    r.Code2 = "B0";
    r.F2Dec = 90;
    r.F2Inc = 40;
    std::vector<model::SpecimenRecord> working {r};
    ComputeRecordDerived(working);

    const Records active = TransformDataSet(working, CoordinateSystem::Paleogeographic, 'B', '0',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_NEAR(active[0].F2Inc, 0, 1e-3);
    EXPECT_NEAR(active[0].F1Inc, 40, 1e-3);
}

TEST(TransformDataSet, LeavesOutRecordsWithoutTheChosenLine)
{
    const Records working {GroupOneRecord("BL", 30, 20, 120, 0),
                           GroupOneRecord("BK", 30, 20, 120, 0),
                           GroupOneRecord("SL", 30, 20, 120, 0)};

    const Records active = TransformDataSet(working, CoordinateSystem::Tectonic, 'B', 'L',
                                            PaleoReference::Horizontal);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].Code1, "BL");
}

TEST(TransformDataSet, GivesNoRecordsWhenNoneQualifies)
{
    const Records working {GroupOneRecord("BL", 30, 20, 120, 0)};
    Records active {working.front(), working.front()};

    TransformDataSet(working, CoordinateSystem::Paleogeographic, 'S', '0',
                     PaleoReference::Horizontal, active);

    EXPECT_TRUE(active.empty());
}

} // namespace
} // namespace tesmor::math
