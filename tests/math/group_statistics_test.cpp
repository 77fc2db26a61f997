#include "math/bootstrap.h"
#include "math/confidence_regions.h"
#include "math/density_contours.h"
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

Records K12Group()
{
    Records records;
    for (const int k : {-2, -1, 0, 1, 2}) {
        Mat3 T;
        T.e = {1.125f, k / 64.0f, 0, k / 64.0f, 1, 0, 0, 0, 0.875f};
        records.push_back(test::RecordWithTensor(T, 100));
    }
    return records;
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
    const GroupStatistics s = Statistics(K12Group());

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

// F(2, n) has the closed form n/2 (alpha^(-2/n) - 1); the others are the tables' values.
TEST(FCritical, MatchesClosedFormsAndTables)
{
    for (const double n : {1.0, 6.0, 24.0, 100.0, 196584.0})
        for (const double alpha : {0.05, 0.01}) {
            SCOPED_TRACE(testing::Message() << n << " " << alpha);
            const double exact = n / 2 * (std::pow(alpha, -2 / n) - 1);
            EXPECT_NEAR(FCritical(2, n, alpha), exact, exact * 1e-9);
        }
    for (const auto& [d1, d2, f] : {std::tuple(5.0, 6.0, 4.3874),
                                    {5.0, 12.0, 3.1059},
                                    {1.0, 1.0, 161.4476},
                                    {5.0, 1e6, 2.2141}})
        EXPECT_NEAR(FCritical(d1, d2, 0.05), f, 1e-4) << d1 << " " << d2;
}

// The K12 group by hand: the measurement along (x + y)/sqrt(2) alone varies, by k/64, so
// sigma^2 = (10/4096) / 24; tau = (1.125, 1, 0.875): F12 = F23 = 0.5 * 0.125^2 / sigma^2 = 76.8,
// F = 0.4 * 0.03125 / sigma^2 = 122.88; F(2, 24) = 3.4028261, f = 2.6087, so
// e12 = e23 = atan(f sigma / 0.25) = 6.0080841 and e13 = atan(f sigma / 0.5) = 3.0123228 degrees.
// A group of identical tensors has sigma 0: no ratios, zero angles, finite curves.
TEST(Hext, OfGroupsComputedByHand)
{
    const HextStatistics h = ComputeHext(K12Group(), Projection::EqualArea);
    ASSERT_TRUE(h.Defined && h.RatiosDefined);
    EXPECT_EQ(h.nf, 24);
    EXPECT_NEAR(h.sigma, 0.0100858941, 1e-9);
    EXPECT_NEAR(h.Fcrit, 2.6207, 1e-4);
    for (const auto& [value, expected] : {std::pair(double(h.F), 122.88),
                                          {h.F12, 76.8},
                                          {h.F23, 76.8},
                                          {h.F12crit, 3.4028261},
                                          {h.e12, 6.0080841},
                                          {h.e23, 6.0080841},
                                          {h.e13, 3.0123228}})
        EXPECT_NEAR(value, expected, 1e-6) << expected;
    EXPECT_EQ(h.Axis[0], (Direction {0, 0}));
    std::vector<double> angles;
    for (const NetPoint& p : h.Ellipse[0].Curve)
        angles.push_back(test::AxisAngle(ReadOut(p), h.Axis[0]));
    const auto [smallest, largest] = std::minmax_element(angles.begin(), angles.end());
    EXPECT_NEAR(*largest, h.e12, 0.01);
    EXPECT_NEAR(*smallest, h.e13, 0.01);

    const HextStatistics same = ComputeHext(Records(4, K12Group()[2]), Projection::EqualAngle);
    EXPECT_FALSE(same.RatiosDefined);
    EXPECT_EQ(std::tuple(same.sigma, same.F, same.e12, same.e13), std::tuple(0, 0, 0, 0));
    for (const NetPoint& p : same.Ellipse[1].Curve)
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_FALSE(ComputeHext(Records(1, K12Group()[0]), Projection::EqualArea).Defined);
}

BootstrapStatistics Bootstrap(const Records& records, std::uint64_t seed = 7, int threads = 1,
                              bool parametric = false)
{
    BootstrapOptions options;
    options.Seed = seed;
    options.Threads = threads;
    options.Parametric = parametric;
    return ComputeBootstrap(records, Projection::EqualArea, options);
}

TEST(Bootstrap, CentresOnTheGroupAxesAndShrinksWithTheSquareRootOfN)
{
    const Records group = ScatteredGroup(40, test::EulerRotation(120, 40, 30), 8, 0.08, 3);
    const GroupStatistics s = Statistics(group);
    const BootstrapStatistics b = Bootstrap(group);
    Records doubled = group;
    doubled.insert(doubled.end(), group.begin(), group.end());
    const BootstrapStatistics d = Bootstrap(doubled);
    ASSERT_TRUE(b.Defined && d.Defined);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        SCOPED_TRACE(axis);
        EXPECT_LT(test::AxisAngle(b.Ellipse[axis].Centre, s.MeanDirection(int(axis))), 1.0);
        EXPECT_GT(b.Axis[axis].eta, 1.0);
        EXPECT_GE(b.Axis[axis].eta, b.Axis[axis].zeta);
        EXPECT_NEAR(d.Axis[axis].eta / b.Axis[axis].eta, 1 / std::sqrt(2.0), 0.1);
        EXPECT_NEAR(d.Axis[axis].zeta / b.Axis[axis].zeta, 1 / std::sqrt(2.0), 0.1);
        EXPECT_NEAR(test::AxisAngle(b.Axis[axis].EtaDir, b.Axis[axis].ZetaDir), 90, 1e-3);
    }
}

TEST(Bootstrap, SameSeedSameNumbersOnAnyThreadCount)
{
    const Records group = ScatteredGroup(30, Mat3::Identity(), 10, 0.05, 5);
    const BootstrapStatistics one = Bootstrap(group, 11, 1);
    EXPECT_EQ(one, Bootstrap(group, 11, 4));
    EXPECT_NE(one.Axis, Bootstrap(group, 12, 1).Axis);
}

TEST(Bootstrap, IdenticalSpecimensAndParametricRuns)
{
    Records same(6, ScatteredGroup(1, Mat3::Identity(), 0, 0.05, 1)[0]);
    const BootstrapStatistics b = Bootstrap(same);
    ASSERT_TRUE(b.Defined);
    for (const BootstrapAxis& axis : b.Axis)
        EXPECT_EQ(std::tuple(axis.eta, axis.zeta), std::tuple(0.0f, 0.0f));
    for (const NetPoint& p : b.Ellipse[0].Curve)
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

    // Without standard errors there is no parametric run; with them identical specimens scatter.
    EXPECT_FALSE(Bootstrap(same, 7, 1, true).Defined);
    for (auto& r : same)
        r.Sigma = 0.002f;
    const BootstrapStatistics p = Bootstrap(same, 7, 1, true);
    ASSERT_TRUE(p.Defined && p.Parametric);
    EXPECT_GT(p.Axis[0].zeta, 0.1);
    EXPECT_FALSE(Bootstrap(Records(same.begin(), same.begin() + 2)).Defined);
}

// Axes spread evenly over the sphere (a Fibonacci lattice), then `cluster` axes within about 3
// degrees of 40/60.
std::vector<Direction> SpreadAndCluster(int spread, int cluster)
{
    std::vector<Direction> axes;
    for (int k = 0; k < spread; ++k) {
        const double z = 1 - (2 * k + 1.0) / spread;
        const double dec = std::fmod(k * 137.50776405, 360.0);
        axes.push_back({float(dec), float(std::asin(z) * DegPerRad)});
    }
    for (int k = 0; k < cluster; ++k)
        axes.push_back({float(40 + 3 * std::sin(k)), float(60 + 2 * std::cos(1.7 * k))});
    return axes;
}

TEST(DensityContours, EvenSpreadStaysLowAndAClusterIsRingedByClosedLines)
{
    for (const Projection projection : {Projection::EqualArea, Projection::EqualAngle}) {
        SCOPED_TRACE(int(projection));
        const std::vector<Direction> even = SpreadAndCluster(3000, 0);
        const DensityGrid flat = KambDensity(even, projection, 1);
        EXPECT_LT(flat.peak, 2.0f);
        EXPECT_TRUE(ContourLines(flat, 2).empty());

        const std::vector<Direction> axes = SpreadAndCluster(6000, 300);
        const DensityGrid grid = KambDensity(axes, projection, 1);
        EXPECT_GT(grid.peak, 10.0f);
        EXPECT_EQ(KambDensity(axes, projection, 4).sigma, grid.sigma);
        // Every line at 2 sigma closes round the cluster's point on the net.
        const double r = projection == Projection::EqualArea
            ? std::sqrt(1 - std::sin(60 * RadPerDeg))
            : std::tan(15 * RadPerDeg);
        const NetPoint centre {float(r * std::sin(40 * RadPerDeg)),
                               float(r * std::cos(40 * RadPerDeg))};
        const auto lines = ContourLines(grid, 2);
        ASSERT_FALSE(lines.empty());
        for (const auto& line : lines) {
            ASSERT_GT(line.size(), 4u);
            EXPECT_EQ(line.front(), line.back());
            for (const NetPoint& p : line)
                EXPECT_LT(std::hypot(p.x - centre.x, p.y - centre.y), 0.3);
        }
    }
}

} // namespace
} // namespace tesmor::math
