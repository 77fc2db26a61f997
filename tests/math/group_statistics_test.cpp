#include "math/group_statistics.h"
#include "math/orientation.h"
#include "support/math_near.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace tesmor::math {
namespace {

using Records = std::vector<model::SpecimenRecord>;

// n records whose principal axes scatter by about `scatterDeg` about the frame of `mean`, with
// principal values near (1 + a, 1, 1 - a) plus a little noise.
Records ScatteredGroup(int n, const Mat3& mean, double scatterDeg, double a, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> tilt(0, scatterDeg);
    std::normal_distribution<double> noise(0, a / 10);
    std::uniform_real_distribution<double> dec(0, 360);
    std::uniform_real_distribution<double> inc(-90, 90);
    Records records;
    for (int k = 0; k < n; ++k) {
        const Mat3 jitter
            = RotAxis(DirToVec(float(dec(random)), float(inc(random))), float(tilt(random)));
        const Mat3 R = Mxmpy(mean, jitter);
        const Mat3 T = test::TensorWithAxes(R, 1 + a + noise(random), 1 + noise(random),
                                            1 - a + noise(random));
        records.push_back(test::RecordWithTensor(T, float(100 + k)));
    }
    return records;
}

Records Rotated(const Records& records, const Mat3& R)
{
    Records out;
    for (const model::SpecimenRecord& r : records)
        out.push_back(test::RecordWithTensor(Mxabat(R, RecordTensor(r)), r.Km));
    return out;
}

Direction RotatedAxis(const Mat3& R, const Direction& d)
{
    return ToLowerHemisphere(VecToDir(Mvmpy(R, DirToVec(d))));
}

// Every number of the statistics is finite.
::testing::AssertionResult AllFinite(const GroupStatistics& s)
{
    std::vector<float> v {s.Kaver, s.Laver, s.Faver, s.Paver, s.Pjaver, s.Taver, s.Uaver, s.Ksd,
                          s.Lsd,   s.Fsd,   s.Psd,   s.Pjsd,  s.Tsd,    s.Usd,   s.K1,    s.K2,
                          s.K3,    s.Lmean, s.Fmean, s.Pmean, s.Pjmean, s.Tmean, s.Umean};
    for (int axis = 0; axis < 3; ++axis) {
        v.insert(v.end(),
                 {s.MeanDirection(axis).Dec, s.MeanDirection(axis).Inc, s.SemiAngleA(axis),
                  s.SemiAngleB(axis), s.SemiAngleA95(axis), s.SemiAngleB95(axis)});
        for (const NetPoint& p : s.EllipseAxisPoints[axis])
            v.insert(v.end(), {p.x, p.y});
        for (const NetPoint& p : s.EllipseCurve[axis])
            v.insert(v.end(), {p.x, p.y});
    }
    for (float x : v)
        if (!std::isfinite(x))
            return ::testing::AssertionFailure() << "a value is " << x;
    return ::testing::AssertionSuccess();
}

Direction ReadOut(const NetPoint& p)
{
    return NetToDirectionEqualArea(p.x, p.y);
}

TEST(FQuantile2, UsesTheTableUpTo20AndTheFitsBeyond)
{
    EXPECT_EQ(FQuantile2(1), 199.5);
    EXPECT_EQ(FQuantile2(3), 9.5521);
    EXPECT_EQ(FQuantile2(20), 3.4928);
    EXPECT_NEAR(FQuantile2(21), 3.4668, 1e-4);
    EXPECT_NEAR(FQuantile2(100), 3.0873, 1e-3);
    EXPECT_NEAR(FQuantile2(101), 3.0864, 1e-4);
    EXPECT_NEAR(FQuantile2(32763), 2.9957, 1e-3);
}

TEST(GroupStatistics, StandardDeviationUsesTheDivisorNMinusOne)
{
    const Mat3 T = test::TensorWithAxes(Mat3::Identity(), 1.1, 1.0, 0.9);
    const Records records {test::RecordWithTensor(T, 1), test::RecordWithTensor(T, 2),
                           test::RecordWithTensor(T, 3)};

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);

    EXPECT_EQ(s.N, 3);
    EXPECT_FLOAT_EQ(s.Kaver, 2);
    EXPECT_FLOAT_EQ(s.Ksd, 1);
    EXPECT_FLOAT_EQ(s.Laver, 1.1f);
    EXPECT_EQ(s.Lsd, 0);
}

TEST(GroupStatistics, OfTwoRecordsHasAveragesButNoTenvarPartEvenIntoAReusedObject)
{
    const Records records = ScatteredGroup(2, Mat3::Identity(), 5, 0.05, 1);
    GroupStatistics s;
    ComputeGroupStatistics(ScatteredGroup(10, Mat3::Identity(), 10, 0.05, 2), Projection::EqualArea,
                           s);

    ComputeGroupStatistics(records, Projection::EqualArea, s);

    EXPECT_EQ(s.N, 2);
    EXPECT_NEAR(s.Paver, (records[0].P + records[1].P) / 2, 1e-6);
    EXPECT_GT(s.Psd, 0);
    EXPECT_FALSE(s.Tenvar);
    EXPECT_EQ(std::tuple(s.K1, s.C1a, s.C2a), std::tuple(0, 0, 0));
    EXPECT_FALSE(s.CurveDefined[1]);
    EXPECT_TRUE(s.EllipseCurve[0].empty());
    EXPECT_TRUE(s.EllipseCurve[1].empty());
    EXPECT_EQ(s.EllipseAxisPoints[0][0], NetPoint {});
}

TEST(GroupStatistics, OfFiveIdenticalRecordsHasTheirTensorAndNoConfidenceRegions)
{
    const Records one = ScatteredGroup(1, test::EulerRotation(20, 30, 40), 0, 0.05, 3);
    const Records records(5, one.front());

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);

    EXPECT_TRUE(s.Tenvar);
    EXPECT_TRUE(test::TensorsNear(s.M, RecordTensor(one.front()), 1e-7));
    EXPECT_TRUE(test::AxesNear({s.K1d, s.K1i}, {one[0].K1dec, one[0].K1inc}, 1e-4));
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_FALSE(s.SemiAnglesDefined[axis]);
        EXPECT_FALSE(s.CurveDefined[axis]);
        EXPECT_TRUE(s.EllipseCurve[axis].empty());
        EXPECT_EQ(s.SemiAngleA(axis), 0);
        EXPECT_EQ(s.SemiAngleB95(axis), 0);
    }
    EXPECT_EQ(s.Ksd, 0);
    EXPECT_TRUE(AllFinite(s));
}

TEST(GroupStatistics, WithTwoEqualMeanPrincipalValuesLeavesThoseAxesUndefined)
{
    // K11 = K22 in every record and the off-diagonal components cancel in the mean: the mean
    // tensor has K1 = K2 exactly, while K13 and K23 scatter so that the K3 axis has a region.
    Records records;
    const float offsets[] = {0.004f, -0.004f, 0.002f, -0.002f, 0.0f, 0.003f, -0.003f};
    for (std::size_t k = 0; k < 7; ++k) {
        Mat3 T = test::TensorWithAxes(Mat3::Identity(), 1.05, 1.05, 0.9);
        T(1, 3) = T(3, 1) = offsets[k];
        T(2, 3) = T(3, 2) = offsets[(k + 2) % 7];
        records.push_back(test::RecordWithTensor(T));
    }

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualAngle);

    ASSERT_EQ(s.K1, s.K2);
    EXPECT_FALSE(s.SemiAnglesDefined[0]);
    EXPECT_FALSE(s.SemiAnglesDefined[1]);
    EXPECT_FALSE(s.CurveDefined[0]);
    EXPECT_TRUE(s.SemiAnglesDefined[2]);
    EXPECT_TRUE(s.CurveDefined[2]);
    EXPECT_GT(s.C3a, 0);
    EXPECT_TRUE(AllFinite(s));
}

// Five tensors diag(1.125, 1, 0.875) whose K12 alone varies: -2d, -d, 0, d, 2d with d = 1/64 (all
// exact in binary). By hand:
//   mean tensor M = diag(1.125, 1, 0.875): axes x, y, z; lambda1 - lambda2 = lambda2 - lambda3
//   = 0.125, lambda1 - lambda3 = 0.25.
//   covariance: only V(K12, K12) = (sum K12^2 - 0) / (N - 1) = 10 d^2 / 4 = 2.5 / 4096
//   = 6.103515625e-4; in the principal frame (the frame axes) it stays as it is.
//   axis 1 (j = 2, k = 3): W = diag(V12 / 0.125^2, 0) = diag(0.0390625, 0): d1 = 0.0390625,
//   d2 = 0, so a = atan(sqrt(0.0390625)) = atan(0.1976424) = 11.17999 degrees and b = 0.
//   axis 2 (j = 3, k = 1): W = diag(0, V21 / 0.125^2): the same d1, so a = 11.17999 degrees.
//   axis 3: W = 0, no confidence region.
//   95%: nu = 3, F = 9.5521, s^2 = 2 * 4 * 9.5521 / (5 * 3) = 5.094453, s = 2.257090;
//   a95 = atan(2.257090 * 0.1976424) = atan(0.4460965) = 24.04148 degrees.
TEST(GroupStatistics, SemiAnglesOfAGroupVaryingInK12AloneAreThoseComputedByHand)
{
    Records records;
    for (const int k : {-2, -1, 0, 1, 2}) {
        Mat3 T;
        T.e = {1.125f, k / 64.0f, 0, k / 64.0f, 1, 0, 0, 0, 0.875f};
        records.push_back(test::RecordWithTensor(T, 100));
    }

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);

    ASSERT_TRUE(s.Tenvar);
    EXPECT_NEAR(s.C1a, 11.17999, 1e-4);
    EXPECT_NEAR(s.C2a, 11.17999, 1e-4);
    EXPECT_NEAR(s.C1a95, 24.04148, 1e-4);
    EXPECT_NEAR(s.C2a95, 24.04148, 1e-4);
    EXPECT_EQ(std::tuple(s.C1b, s.C2b, s.C3a, s.C3b), std::tuple(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(s.SemiAnglesDefined[2]);
}

TEST(GroupStatistics, OfATightWeaklyAnisotropicGroupHasNonZeroSemiAngles)
{
    // P about 1.01 with 2 degrees of scatter: the component covariances are of order 1e-7, which
    // a single-precision accumulation loses entirely.
    const Records records = ScatteredGroup(40, test::EulerRotation(10, 20, 30), 2, 0.005, 11);

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);

    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_TRUE(s.SemiAnglesDefined[axis]);
        EXPECT_GT(s.SemiAngleA(axis), 0.2);
        EXPECT_LT(s.SemiAngleA(axis), 20);
        EXPECT_GT(s.SemiAngleB(axis), 0.1);
    }
}

TEST(GroupStatistics, RotatingEveryTensorRotatesTheMeanAxesAndKeepsTheRest)
{
    const Records records = ScatteredGroup(30, test::EulerRotation(40, 30, 20), 8, 0.07, 5);
    const Mat3 R = test::EulerRotation(75, 50, 120);

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);
    const GroupStatistics r = ComputeGroupStatistics(Rotated(records, R), Projection::EqualArea);

    EXPECT_NEAR(r.K1, s.K1, 2e-6);
    EXPECT_NEAR(r.K3, s.K3, 2e-6);
    EXPECT_NEAR(r.Pjmean, s.Pjmean, 1e-5);
    EXPECT_NEAR(r.Tmean, s.Tmean, 1e-4);
    EXPECT_NEAR(r.Paver, s.Paver, 1e-5);
    EXPECT_NEAR(r.Tsd, s.Tsd, 1e-4);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_TRUE(
            test::AxesNear(r.MeanDirection(axis), RotatedAxis(R, s.MeanDirection(axis)), 0.01));
        EXPECT_NEAR(r.SemiAngleA(axis), s.SemiAngleA(axis), 0.01);
        EXPECT_NEAR(r.SemiAngleB(axis), s.SemiAngleB(axis), 0.01);
        EXPECT_NEAR(r.SemiAngleA95(axis), s.SemiAngleA95(axis), 0.01);
        EXPECT_NEAR(r.SemiAngleB95(axis), s.SemiAngleB95(axis), 0.01);
        // The end points of each ellipse axis, as a pair: the sign of an eigenvector may flip.
        for (int end = 0; end < 4; end += 2) {
            const Direction a = RotatedAxis(R, ReadOut(s.EllipseAxisPoints[axis][end]));
            const Direction b = RotatedAxis(R, ReadOut(s.EllipseAxisPoints[axis][end + 1]));
            const Direction p = ReadOut(r.EllipseAxisPoints[axis][end]);
            const Direction q = ReadOut(r.EllipseAxisPoints[axis][end + 1]);
            const bool same = test::AxisAngle(p, a) < 0.02 && test::AxisAngle(q, b) < 0.02;
            const bool swapped = test::AxisAngle(p, b) < 0.02 && test::AxisAngle(q, a) < 0.02;
            EXPECT_TRUE(same || swapped) << "axis " << axis << " end " << end;
        }
    }
}

TEST(GroupStatistics, EllipseAxisPointsAndCurveLieAtTheSemiAnglesFromTheMeanAxis)
{
    const Records records = ScatteredGroup(25, test::EulerRotation(200, 60, 10), 10, 0.08, 9);

    const GroupStatistics s = ComputeGroupStatistics(records, Projection::EqualArea);

    for (int axis = 0; axis < 3; ++axis) {
        const auto& points = s.EllipseAxisPoints[axis];
        const Direction mean = s.MeanDirection(axis);
        EXPECT_NEAR(test::AxisAngle(ReadOut(points[0]), mean), s.SemiAngleA95(axis), 0.01);
        EXPECT_NEAR(test::AxisAngle(ReadOut(points[1]), mean), s.SemiAngleA95(axis), 0.01);
        EXPECT_NEAR(test::AxisAngle(ReadOut(points[2]), mean), s.SemiAngleB95(axis), 0.01);
        EXPECT_NEAR(test::AxisAngle(ReadOut(points[0]), ReadOut(points[2])),
                    std::hypot(s.SemiAngleA95(axis), s.SemiAngleB95(axis)), 0.5);
        ASSERT_TRUE(s.CurveDefined[axis]);
        ASSERT_EQ(s.EllipseCurve[axis].size(), std::size_t(EllipseCurvePoints));
        double largest = 0;
        double smallest = 90;
        for (const NetPoint& p : s.EllipseCurve[axis]) {
            const double angle = test::AxisAngle(ReadOut(p), mean);
            largest = std::max(largest, angle);
            smallest = std::min(smallest, angle);
        }
        EXPECT_NEAR(largest, s.SemiAngleA(axis), 0.01);
        EXPECT_NEAR(smallest, s.SemiAngleB(axis), 0.01);
        EXPECT_EQ(s.EllipseCurve[axis].front(), s.EllipseCurve[axis].back());
    }
}

TEST(ProjectVector, PutsAxesInTheLowerHemisphereOfBothNets)
{
    // Up to the West is down to the East, at 45 degrees.
    const NetPoint upWest = ProjectVector(Vec3d {{0, -1, -1}}, Projection::EqualArea);
    const NetPoint east45 = ProjectVector(Vec3d {{0, 1, 1}}, Projection::EqualAngle);

    EXPECT_NEAR(upWest.x, std::sqrt(1 - std::sqrt(0.5)), 1e-6);
    EXPECT_NEAR(upWest.y, 0, 1e-6);
    EXPECT_NEAR(east45.x, std::tan(M_PI / 8), 1e-6);
    EXPECT_NEAR(east45.y, 0, 1e-6);
}

} // namespace
} // namespace tesmor::math
