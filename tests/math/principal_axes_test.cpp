#include "math/principal_axes.h"
#include "support/math_near.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace tesmor::math {
namespace {

// Diagonal tensors give the frame axes in descending order, and ties keep the earlier axis;
// rotated tensors give their values and rotated axes in the lower hemisphere.
TEST(PrincipalAxes, OfDiagonalAndRotatedTensors)
{
    const Direction x {0, 0}, y {90, 0}, z {0, 90};
    const std::tuple<std::array<double, 3>, std::array<double, 3>, std::array<Direction, 3>>
        diagonal[] = {
            {{1.1, 1.0, 0.9}, {1.1, 1.0, 0.9}, {x, y, z}},
            {{0.9, 1.0, 1.1}, {1.1, 1.0, 0.9}, {z, y, x}},
            {{1.05, 1.05, 0.9}, {1.05, 1.05, 0.9}, {x, y, z}}, // oblate
            {{0.95, 1.1, 0.95}, {1.1, 0.95, 0.95}, {y, x, z}}, // prolate
        };
    for (const auto& [k, values, axes] : diagonal) {
        const PrincipalAxes p
            = ComputePrincipalAxes(test::TensorWithAxes(Mat3::Identity(), k[0], k[1], k[2]));
        for (int j = 0; j < 3; ++j) {
            EXPECT_FLOAT_EQ(p.Value[j], values[j]) << k[0] << " " << k[1] << " " << j;
            EXPECT_EQ(p.Axis[j], axes[j]) << k[0] << " " << k[1] << " " << j;
        }
    }
    for (const auto& a : {std::array {30.0, 40.0, 50.0},
                          {200.0, 100.0, 10.0},
                          {359.0, 89.0, 1.0},
                          {120.0, 170.0, 80.0},
                          {10.0, 135.0, 300.0}}) {
        const Mat3 R = test::EulerRotation(a[0], a[1], a[2]);

        const PrincipalAxes p = ComputePrincipalAxes(test::TensorWithAxes(R, 1.12, 0.98, 0.90));

        const double values[] = {1.12, 0.98, 0.90};
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(p.Value[j], values[j], 2e-6);
            EXPECT_GE(p.Axis[j].Inc, 0);
            const Direction column = VecToDir(Vec3 {{R(1, j + 1), R(2, j + 1), R(3, j + 1)}});
            EXPECT_LT(test::AxisAngle(p.Axis[j], column), 1e-3) << a[0];
        }
    }
}

// Values from 1e-3 to 1e3, equal pairs and negative ones; non-finite input ends too.
TEST(EigenJacobi, ReconstructsRandomTensorsAndValuesAgree)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> angle(0, 360);
    std::uniform_real_distribution<double> logValue(-3, 3);
    for (int n = 0; n < 2000; ++n) {
        const double k1 = std::pow(10.0, logValue(random));
        const double k2 = n % 3 == 0 ? k1 : std::pow(10.0, logValue(random));
        const double k3 = n % 5 == 0 ? -k1 : std::pow(10.0, logValue(random));
        const Mat3 A = test::TensorWithAxes(
            test::EulerRotation(angle(random), angle(random) / 2, angle(random)), k1, k2, k3);
        Mat3 D, V;

        EigenJacobi(A, D, V);

        const double scale = std::max({std::fabs(k1), std::fabs(k2), std::fabs(k3)});
        ASSERT_TRUE(test::TensorsNear(Mxabat(V, D), A, 1e-5 * scale)) << n;
        EXPECT_TRUE(D(1, 1) >= D(2, 2) && D(2, 2) >= D(3, 3) && D(1, 2) == 0) << n;
        EXPECT_EQ(EigenJacobiValues(A), (std::array<float, 3> {D(1, 1), D(2, 2), D(3, 3)})) << n;
    }
    Mat3 A = Mat3::Identity(), D, V;
    A(1, 2) = A(2, 1) = std::numeric_limits<float>::quiet_NaN();
    A(2, 3) = A(3, 2) = std::numeric_limits<float>::infinity();
    EigenJacobi(A, D, V);
}

TEST(AnisotropyParameters, OfOrdinaryIsotropicDiamagneticAndDegenerateTensors)
{
    const double any = std::nan("");
    struct Case
    {
        const char* what;
        float k1, k2, k3;
        double L, F, P, Pj, T, U;
    };
    const Case cases[] = {
        {"ordinary", 1.1f, 1.0f, 0.9f, 1.1, 1.111111, 1.222222, 1.222325, 0.050084, 0},
        {"isotropic", 1, 1, 1, 1, 1, 1, 0, 0, 0},
        // Magnitudes in reversed order, but U from the signed values.
        {"diamagnetic", -0.9f, -0.95f, -1.1f, 1.1 / 0.95, 0.95 / 0.9, 1.1 / 0.9, 1.230796,
         -0.461135, 0.5},
        // Zero instead of a division by zero.
        {"zero K3", 1.5f, 1.0f, 0.0f, 1.5, 0, 0, 0, 0, any},
        {"zero K2", 1.5f, 0.0f, -0.5f, 0, any, any, any, any, any},
        {"zero", 0, 0, 0, 0, 0, 0, 0, 0, 0},
        // The rounded root argument may go negative: Pj stays finite.
        {"nearly isotropic", 1, 1, std::nextafter(1.0f, 0.0f), any, any, any, 1, any, any},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);

        const AnisotropyParams p = AnisotropyParameters(c.k1, c.k2, c.k3);

        const float actual[] = {p.L, p.F, p.P, p.Pj, p.T, p.U};
        const double expected[] = {c.L, c.F, c.P, c.Pj, c.T, c.U};
        for (int i = 0; i < 6; ++i)
            if (!std::isnan(expected[i])) {
                EXPECT_NEAR(actual[i], expected[i], 1e-5) << "L, F, P, Pj, T, U: " << i;
            }
    }
}

// Nearly isotropic specimens (P about 1.005), normalised to unit trace, to unit mean and not at
// all: T and U agree with a double-precision evaluation from the same float values to their last
// digits.
TEST(AnisotropyParameters, ShapeOfANearlyIsotropicTensorKeepsItsDigits)
{
    const double cases[][3] = {{0.3343f, 0.3334f, 0.3323f},
                               {0.33433f, 0.333f, 0.33267f},
                               {1.003f, 1.0005f, 0.997f},
                               {335.1f, 333.4f, 333.0f}};
    for (const auto& [k1, k2, k3] : cases) {
        const double l1 = std::log(k1), l2 = std::log(k2), l3 = std::log(k3);

        const AnisotropyParams p = AnisotropyParameters(float(k1), float(k2), float(k3));

        EXPECT_NEAR(p.T, (2 * l2 - l1 - l3) / (l1 - l3), 1e-7) << k1;
        EXPECT_NEAR(p.U, (2 * k2 - k1 - k3) / (k1 - k3), 1e-7) << k1;
    }
}

TEST(ComputeRecordDerived, FillsIndexCodesAndAnglesToThePoleOfPlaneOne)
{
    std::vector<model::SpecimenRecord> records(
        2, test::RecordWithTensor(test::TensorWithAxes(Mat3::Identity(), 1.1, 1.0, 0.9)));
    std::tie(records[0].Code1, records[0].Code2) = std::tuple("BL", "S");
    records[1].Code1 = "\xC3\xA9"
                       "b"; // letters are Windows-1252 bytes: e-acute
    records[1].F1Dec = 180; // a vertical plane dipping South: its pole is North, horizontal
    records[1].F1Inc = 90;

    ComputeRecordDerived(records);

    const auto& [a, b] = std::tie(records[0], records[1]);
    EXPECT_EQ(std::tuple(a.Index, b.Index), std::tuple(1, 2));
    EXPECT_EQ(std::tuple(a.Code1A, a.Code1B, a.Code2A, a.Code2B), std::tuple('B', 'L', 'S', ' '));
    EXPECT_EQ(std::tuple(b.Code1A, b.Code1B), std::tuple('\xE9', 'b'));
    // Without a plane the pole is the vertical, the K3 axis.
    EXPECT_NEAR(a.AxisPoleAngle3, 0, 1e-4);
    EXPECT_NEAR(a.AxisPoleAngle1, 90, 1e-4);
    EXPECT_NEAR(b.AxisPoleAngle1, 0, 1e-3);
    EXPECT_NEAR(b.AxisPoleAngle3, 90, 1e-3);
}

} // namespace
} // namespace tesmor::math
