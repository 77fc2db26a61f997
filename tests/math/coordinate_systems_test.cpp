#include "math/coordinate_systems.h"
#include "support/math_near.h"

#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

using Records = std::vector<model::SpecimenRecord>;
constexpr auto Paleo = CoordinateSystem::Paleogeographic;
constexpr auto Tectonic = CoordinateSystem::Tectonic;
constexpr auto Horizontal = PaleoReference::Horizontal;

// A record with a plane and a line in group 1 and the tensor with K1 along the line, K3 along
// the pole of the plane (when the line lies in the plane).
model::SpecimenRecord GroupOneRecord(const std::string& code, float dd, float dip, float ld,
                                     float li)
{
    const Vec3 l = DirToVec(ld, li);
    const Vec3 p = DirToVec(PlaneToPole(dd, dip));
    const Vec3 m {
        {p(2) * l(3) - p(3) * l(2), p(3) * l(1) - p(1) * l(3), p(1) * l(2) - p(2) * l(1)}};
    model::SpecimenRecord r = test::RecordWithTensor(
        test::TensorWithAxes(test::RotationFromAxes(l, m, p), 1.1, 1.0, 0.9));
    r.Code1 = code;
    std::tie(r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc) = std::tuple(dd, dip, ld, li);
    r.F1Strike = model::StrikeOfDipDirection(dd);
    std::vector<model::SpecimenRecord> one {r};
    ComputeRecordDerived(one);
    return one.front();
}

// The single active record that one working record gives.
model::SpecimenRecord TransformOne(const model::SpecimenRecord& r, CoordinateSystem system,
                                   char plane, char line, PaleoReference reference = Horizontal)
{
    const Records active = TransformDataSet({r}, system, plane, line, reference);
    EXPECT_EQ(active.size(), 1u);
    return active.empty() ? model::SpecimenRecord {} : active.front();
}

Direction K1(const model::SpecimenRecord& r)
{
    return {r.K1dec, r.K1inc};
}
Direction K3(const model::SpecimenRecord& r)
{
    return {r.K3dec, r.K3inc};
}
Direction L1(const model::SpecimenRecord& r)
{
    return {r.L1Dec, r.L1Inc};
}

TEST(TransformDataSet, InSpecimenAndGeographicSystemsTakesEveryRecordUnchanged)
{
    const Records working {GroupOneRecord("BL", 30, 40, 120, 0), GroupOneRecord("SK", 0, 0, 0, 0)};

    const Records geographic
        = TransformDataSet(working, CoordinateSystem::Geographic, 'B', 'L', Horizontal);
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
    const model::SpecimenRecord working = GroupOneRecord("B0", 0, 0, 45, 0);

    const model::SpecimenRecord active = TransformOne(working, Paleo, 'B', '0');

    EXPECT_TRUE(test::TensorsNear(RecordTensor(active), RecordTensor(working), 1e-7));
    EXPECT_TRUE(test::AxesNear(K1(active), K1(working), 1e-4));
    EXPECT_EQ(active.F1Inc, 0);
}

TEST(TransformDataSet, PaleoHorizontalTurnsTheDownDipLineAndPlaneHorizontal)
{
    const model::SpecimenRecord r
        = TransformOne(GroupOneRecord("BL", 0, 30, 0, 30), Paleo, 'B', 'L');

    EXPECT_TRUE(test::AxesNear(L1(r), {0, 0}, 1e-3));
    EXPECT_NEAR(r.F1Inc, 0, 1e-3);
    EXPECT_TRUE(test::AxesNear(K3(r), {0, 90}, 1e-3));
    EXPECT_TRUE(test::AxesNear(K1(r), {0, 0}, 1e-3));
}

TEST(TransformDataSet, PaleoVerticalTurnsThePlaneVertical)
{
    const model::SpecimenRecord r = TransformOne(GroupOneRecord("B0", 0, 30, 0, 30), Paleo, 'B',
                                                 '0', PaleoReference::Vertical);

    EXPECT_NEAR(r.F1Inc, 90, 1e-3);
    EXPECT_NEAR(K3(r).Inc, 0, 1e-3);
}

TEST(TransformDataSet, PaleoKeepsTheDeclinationOfAHorizontalLineation)
{
    // The line (30, 0) does not lie in the plane; tilting the plane about its strike (North)
    // would move the line, and the rotation about the vertical brings its declination back (as
    // an axis: the line now plunges upward and is shown reversed).
    const model::SpecimenRecord r
        = TransformOne(GroupOneRecord("BL", 90, 40, 30, 0), Paleo, 'B', 'L');

    EXPECT_NEAR(std::fmod(r.L1Dec, 180.0f), 30, 1e-3);
    EXPECT_NEAR(r.F1Inc, 0, 1e-3);
}

TEST(TransformDataSet, TectonicPutsTheLineationOnXAndThePoleVerticalKeepingValues)
{
    // Horizontal lineations included: they are lines, not replaced by the strike.
    const Records working {GroupOneRecord("BL", 135, 50, 135, 50),
                           GroupOneRecord("BL", 200, 35, 110, 0),
                           GroupOneRecord("BL", 10, 80, 100, 0), GroupOneRecord("BL", 0, 0, 60, 0)};

    const Records active = TransformDataSet(working, Tectonic, 'B', 'L', Horizontal);

    ASSERT_EQ(active.size(), working.size());
    for (std::size_t i = 0; i < active.size(); ++i) {
        const model::SpecimenRecord& r = active[i];
        SCOPED_TRACE(i);
        EXPECT_TRUE(test::AxesNear(L1(r), {0, 0}, 1e-3));
        EXPECT_NEAR(r.F1Inc, 0, 1e-3);
        EXPECT_TRUE(test::AxesNear(K1(r), {0, 0}, 1e-3));
        EXPECT_TRUE(test::AxesNear(K3(r), {0, 90}, 1e-3));
        EXPECT_EQ(
            std::tuple(r.K1, r.Pj, r.Km, r.AxisPoleAngle1),
            std::tuple(working[i].K1, working[i].Pj, working[i].Km, working[i].AxisPoleAngle1));
        EXPECT_NEAR(ComputePrincipalAxes(RecordTensor(r)).Value[0], working[i].K1, 1e-6);
    }
}

TEST(TransformDataSet, TectonicWithoutALinePutsTheStrikeOnTheXAxis)
{
    const model::SpecimenRecord r
        = TransformOne(GroupOneRecord("B0", 45, 30, 45, 30), Tectonic, 'B', '0');

    EXPECT_TRUE(test::AxesNear({r.F1Strike, 0}, {0, 0}, 1e-3));
    EXPECT_NEAR(r.F1Inc, 0, 1e-3);
    // The down-dip K1 turns onto the y axis.
    EXPECT_TRUE(test::AxesNear(K1(r), {90, 0}, 1e-3));
}

TEST(TransformDataSet, UsesPlaneTwoWhenBothGroupsHaveTheFoliationLetter)
{
    model::SpecimenRecord r = GroupOneRecord("B0", 0, 0, 0, 0);
    std::tie(r.Code2, r.F2Dec, r.F2Inc) = std::tuple("B0", 90, 40);
    std::vector<model::SpecimenRecord> working {r};
    ComputeRecordDerived(working);

    const model::SpecimenRecord active = TransformOne(working[0], Paleo, 'B', '0');

    EXPECT_NEAR(active.F2Inc, 0, 1e-3);
    EXPECT_NEAR(active.F1Inc, 40, 1e-3);
}

// The strike line is rotated as a line: tilting plane 1 (dip 30 to the North) about its own
// strike leaves that strike horizontal and tilts the northward strike of plane 2 by 30 degrees.
TEST(TransformDataSet, KeepsTheInclinationOfARotatedStrikeLine)
{
    model::SpecimenRecord r = GroupOneRecord("B0", 0, 30, 0, 30);
    std::tie(r.Code2, r.F2Dec, r.F2Inc, r.F2Strike) = std::tuple("C0", 90, 40, 0);

    const model::SpecimenRecord active = TransformOne(r, Paleo, 'B', '0');

    EXPECT_TRUE(test::AxesNear({active.F1Strike, active.Spare1}, {90, 0}, 1e-3));
    EXPECT_TRUE(test::AxesNear({active.F2Strike, active.Spare2}, {180, 30}, 1e-3));
}

TEST(TransformDataSet, LeavesOutRecordsWithoutTheChosenLineAndMayLeaveNone)
{
    const Records working {GroupOneRecord("BL", 30, 20, 120, 0),
                           GroupOneRecord("BK", 30, 20, 120, 0),
                           GroupOneRecord("SL", 30, 20, 120, 0)};
    Records none {working.front(), working.front()};

    const Records active = TransformDataSet(working, Tectonic, 'B', 'L', Horizontal);
    TransformDataSet(working, Paleo, 'X', '0', Horizontal, none);

    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].Code1, "BL");
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace tesmor::math
