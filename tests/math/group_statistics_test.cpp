#include "math/group_statistics.h"
#include "math/orientation.h"
#include "support/math_near.h"

#include <algorithm>
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
        const Mat3 T = test::TensorWithAxes(Mxmpy(mean, jitter), 1 + a + noise(random),
                                            1 + noise(random), 1 - a + noise(random));
        records.push_back(test::RecordWithTensor(T, float(100 + k)));
    }
    return records;
}

GroupStatistics Statistics(const Records& records, Projection projection = Projection::EqualArea)
{
    return ComputeGroupStatistics(records, projection);
}

Direction ReadOut(const NetPoint& p)
{
    return NetToDirectionEqualArea(p.x, p.y);
}

TEST(FQuantile2, UsesTheTableUpTo20AndTheFitsBeyond)
{
    EXPECT_EQ(std::tuple(FQuantile2(1), FQuantile2(3), FQuantile2(20)),
              std::tuple(199.5, 9.5521, 3.4928));
    for (const auto& [n, f] :
         {std::pair(21, 3.4668), {100, 3.0873}, {101, 3.0864}, {32763, 2.9957}})
        EXPECT_NEAR(FQuantile2(n), f, 1e-3) << n;
}

// Two records have averages but no Tenvar part, also when the statistics object held a larger
// group before.
TEST(GroupStatistics, OfTwoRecordsHasAveragesAndDeviationsOnly)
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
    EXPECT_TRUE(s.EllipseCurve[0].empty() && s.EllipseCurve[1].empty());
    EXPECT_EQ(s.EllipseAxisPoints[0][0], NetPoint {});
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

    const GroupStatistics s = Statistics(records, Projection::EqualAngle);

    ASSERT_EQ(s.K1, s.K2);
    EXPECT_FALSE(s.SemiAnglesDefined[0] || s.SemiAnglesDefined[1] || s.CurveDefined[0]);
    EXPECT_TRUE(s.SemiAnglesDefined[2] && s.CurveDefined[2]);
    EXPECT_GT(s.C3a, 0);
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

    const GroupStatistics s = Statistics(records);

    ASSERT_TRUE(s.Tenvar);
    for (float a : {s.C1a, s.C2a})
        EXPECT_NEAR(a, 11.17999, 1e-4);
    for (float a95 : {s.C1a95, s.C2a95})
        EXPECT_NEAR(a95, 24.04148, 1e-4);
    EXPECT_EQ(std::tuple(s.C1b, s.C2b, s.C3a, s.C3b), std::tuple(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(s.SemiAnglesDefined[2]);
}

TEST(GroupStatistics, EllipseAxisPointsAndCurveLieAtTheSemiAnglesFromTheMeanAxis)
{
    const GroupStatistics s
        = Statistics(ScatteredGroup(25, test::EulerRotation(200, 60, 10), 10, 0.08, 9));

    for (int axis = 0; axis < 3; ++axis) {
        const auto& points = s.EllipseAxisPoints[axis];
        const Direction mean = s.MeanDirection(axis);
        const double a95 = s.SemiAngleA95(axis), b95 = s.SemiAngleB95(axis);
        for (std::size_t end = 0; end < 4; ++end)
            EXPECT_NEAR(test::AxisAngle(ReadOut(points[end]), mean), end < 2 ? a95 : b95, 0.01);
        const auto& curve = s.EllipseCurve[axis];
        ASSERT_TRUE(s.CurveDefined[axis]);
        ASSERT_EQ(curve.size(), std::size_t(EllipseCurvePoints));
        EXPECT_EQ(curve.front(), curve.back());
        std::vector<double> angles;
        for (const NetPoint& p : curve)
            angles.push_back(test::AxisAngle(ReadOut(p), mean));
        const auto [smallest, largest] = std::minmax_element(angles.begin(), angles.end());
        EXPECT_NEAR(*largest, s.SemiAngleA(axis), 0.01);
        EXPECT_NEAR(*smallest, s.SemiAngleB(axis), 0.01);
    }
}

} // namespace
} // namespace tesmor::math
