#include "math/coordinate_systems.h"
#include "math/group_statistics.h"
#include "math/orientation.h"
#include "support/math_near.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::math {
namespace {

using Records = std::vector<model::SpecimenRecord>;
constexpr auto Paleo = CoordinateSystem::Paleogeographic;
constexpr auto Specimen = CoordinateSystem::Specimen;
constexpr auto Tectonic = CoordinateSystem::Tectonic;
constexpr auto Horizontal = PaleoReference::Horizontal;
constexpr auto Vertical = PaleoReference::Vertical;

// A record with a plane and a line in group 1 and the tensor I + 0.1 (l l^T - p p^T): K1 along
// the line l, K3 along the pole p of the plane (when the line lies in the plane).
model::SpecimenRecord GroupOneRecord(const std::string& code, float dd, float dip, float ld,
                                     float li)
{
    const Vec3 l = DirToVec(ld, li), p = DirToVec(PlaneToPole(dd, dip));
    Mat3 T = Mat3::Identity();
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            T(i, j) += 0.1f * (l(i) * l(j) - p(i) * p(j));
    model::SpecimenRecord r = test::RecordWithTensor(T);
    r.Code1 = code;
    std::tie(r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc) = std::tuple(dd, dip, ld, li);
    r.F1Strike = model::StrikeOfDipDirection(dd);
    Records one {r};
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

// Plane B of group 1 after the transformation: its dip, and the K1, K3 and line L1 axes (a
// declination of -1: not checked). Principal values and derived parameters stay as they were.
TEST(TransformDataSet, TurnsPlaneLineAndAxesAndKeepsTheValues)
{
    const struct
    {
        const char* code;
        float dd, dip, ld, li;
        CoordinateSystem system;
        PaleoReference reference;
        float dipAfter;
        Direction k1, k3, l1;
    } cases[] = {
        // The specimen system, and a horizontal plane without a line, change nothing.
        {"BL", 30, 20, 120, 0, Specimen, Vertical, 20, {120, 0}, {210, 70}, {120, 0}},
        {"B0", 0, 0, 45, 0, Paleo, Horizontal, 0, {45, 0}, {0, 90}, {-1, 0}},
        {"BL", 0, 30, 0, 30, Paleo, Horizontal, 0, {0, 0}, {0, 90}, {0, 0}},
        {"B0", 0, 30, 0, 30, Paleo, Vertical, 90, {-1, 0}, {0, 0}, {-1, 0}},
        // The line (30, 0) is not in the plane: tilting the plane about its strike moves it, and
        // the turn about the vertical brings its declination back (it now plunges upward).
        {"BL", 90, 40, 30, 0, Paleo, Horizontal, 0, {-1, 0}, {-1, 0}, {30, -18.747f}},
        // Tectonic: the line on x and the pole vertical, horizontal lines included.
        {"BL", 135, 50, 135, 50, Tectonic, Horizontal, 0, {0, 0}, {0, 90}, {0, 0}},
        {"BL", 200, 35, 110, 0, Tectonic, Horizontal, 0, {0, 0}, {0, 90}, {0, 0}},
        {"BL", 10, 80, 100, 0, Tectonic, Horizontal, 0, {0, 0}, {0, 90}, {0, 0}},
        {"BL", 0, 0, 60, 0, Tectonic, Horizontal, 0, {0, 0}, {0, 90}, {0, 0}},
        // Without a line the strike goes on x, and the down-dip K1 onto y.
        {"B0", 45, 30, 45, 30, Tectonic, Horizontal, 0, {90, 0}, {0, 90}, {-1, 0}},
    };
    for (const auto& c : cases) {
        const model::SpecimenRecord w = GroupOneRecord(c.code, c.dd, c.dip, c.ld, c.li);
        SCOPED_TRACE(testing::Message() << w.Code1 << " " << w.F1Dec << "/" << w.F1Inc << " "
                                        << w.L1Dec << "/" << w.L1Inc);

        const model::SpecimenRecord r = TransformOne(w, c.system, 'B', c.code[1], c.reference);

        EXPECT_NEAR(r.F1Inc, c.dipAfter, 1e-3);
        for (const auto& [actual, expected] : {std::pair(Direction {r.K1dec, r.K1inc}, c.k1),
                                               {{r.K3dec, r.K3inc}, c.k3},
                                               {{r.L1Dec, r.L1Inc}, c.l1}})
            EXPECT_LT(expected.Dec < 0 ? 0 : test::AxisAngle(actual, expected), 1e-3)
                << actual.Dec << "/" << actual.Inc;
        if (c.system == Tectonic && c.code[1] == '0') { // the strike along x
            EXPECT_NEAR(std::fmod(r.F1Strike + 1, 180.0f), 1, 1e-3);
        }
        EXPECT_EQ(std::tuple(r.K1, r.Pj, r.Km, r.AxisPoleAngle1),
                  std::tuple(w.K1, w.Pj, w.Km, w.AxisPoleAngle1));
        EXPECT_NEAR(ComputePrincipalAxes(RecordTensor(r)).Value[0], w.K1, 1e-6);
    }
}

// Plane 2 when both groups have the foliation letter; a rotated strike keeps its inclination:
// tilting plane 1 (dip 30 to the North) about its own strike leaves that strike horizontal and
// tilts the northward strike of plane 2 by 30 degrees.
TEST(TransformDataSet, UsesPlaneTwoOfTheSameLetterAndTurnsStrikesAsLines)
{
    model::SpecimenRecord both = GroupOneRecord("B0", 0, 0, 0, 0);
    std::tie(both.Code2, both.F2Dec, both.F2Inc) = std::tuple("B0", 90, 40);
    model::SpecimenRecord r = GroupOneRecord("B0", 0, 30, 0, 30);
    std::tie(r.Code2, r.F2Dec, r.F2Inc, r.F2Strike) = std::tuple("C0", 90, 40, 0);
    Records working {both};
    ComputeRecordDerived(working);

    const model::SpecimenRecord second = TransformOne(working[0], Paleo, 'B', '0');
    const model::SpecimenRecord active = TransformOne(r, Paleo, 'B', '0');

    EXPECT_NEAR(second.F2Inc, 0, 1e-3);
    EXPECT_NEAR(second.F1Inc, 40, 1e-3);
    EXPECT_LT(test::AxisAngle({active.F1Strike, active.Spare1}, {90, 0}), 1e-3);
    EXPECT_LT(test::AxisAngle({active.F2Strike, active.Spare2}, {180, 30}), 1e-3);
}

// Records without the chosen structures are left out, and there may be none left.
TEST(TransformDataSet, KeepsOrLeavesOutRecordsByTheirStructures)
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

// The statistics take the principal values that the derivation and the rotation found for each
// record instead of solving its tensor again: the averages are those of solving every tensor
// anew, to the bit, in every system, and a tensor changed since is solved.
TEST(TransformDataSet, StatisticsOfTheActiveRecordsAreThoseOfSolvingEveryTensorAgain)
{
    auto averages = [](const Records& records) {
        const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);
        return std::array {s.Kaver, s.Laver, s.Faver, s.Paver, s.Pjaver, s.Taver, s.Uaver,
                           s.Ksd,   s.Lsd,   s.Fsd,   s.Psd,   s.Pjsd,   s.Tsd,   s.Usd};
    };
    auto unsolved = [](Records records) {
        for (model::SpecimenRecord& r : records)
            r.Solved = false;
        return records;
    };
    // Planes and lines of every attitude; tensors of every orientation and shape.
    Records working;
    for (int k = 0; k < 40; ++k) {
        const float dd = 9.0f * float(k);
        model::SpecimenRecord r
            = GroupOneRecord("BL", dd, 10.0f + float(k), std::fmod(dd + 90, 360), 0);
        const Mat3 axes = RotAxis(DirToVec(37.0f * float(k), float(k) - 20), 13.0f * float(k));
        SetRecordTensor(r, test::TensorWithAxes(axes, 1.1 + 0.002 * k, 1 - 0.001 * k, 0.9));
        r.Km = 100.0f + float(k);
        working.push_back(r);
    }
    ComputeRecordDerived(working);
    for (CoordinateSystem system : {Specimen, Paleo, Tectonic}) {
        Records active = TransformDataSet(working, system, 'B', 'L', Horizontal);
        EXPECT_EQ(averages(active), averages(unsolved(active))) << int(system);
        const auto before = averages(active);
        active[3].K11 *= 1.5f;
        EXPECT_EQ(averages(active), averages(unsolved(active))) << int(system);
        EXPECT_NE(averages(active)[3], before[3]) << int(system);
    }
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

// Specimen x takes the azimuth and plunge, a level specimen has z down, and the plunge measured
// from the vertical gives the same frame. (The turn of the tensors is tested with the merge.)
TEST(OrientationMatrix, FollowsTheSamplingDirectionAndItsConventions)
{
    const Mat3 O = OrientationMatrix(30, 20, 6, 0, 6);

    EXPECT_LT(test::AxisAngle(VecToDir(Vec3 {{O(1, 1), O(2, 1), O(3, 1)}}), {30, 20}), 1e-4);
    EXPECT_NEAR(OrientationMatrix(90, 0, 6, 0, 6)(3, 3), 1, 1e-6);
    EXPECT_TRUE(test::TensorsNear(OrientationMatrix(30, 70, 6, 90, 6), O, 1e-6));
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
