#include "math/principal_axes.h"
#include "support/math_near.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace tesmor::math {
namespace {

// Diagonal tensors give the frame axes in descending order, and ties keep the earlier axis.
TEST(PrincipalAxes, OfDiagonalTensorsAreTheFrameAxesInDescendingOrder)
{
    const Direction x {0, 0}, y {90, 0}, z {0, 90};
    const std::tuple<std::array<double, 3>, std::array<double, 3>, std::array<Direction, 3>> cases[]
        = {
            {{1.1, 1.0, 0.9}, {1.1, 1.0, 0.9}, {x, y, z}},
            {{0.9, 1.0, 1.1}, {1.1, 1.0, 0.9}, {z, y, x}},
            {{1.05, 1.05, 0.9}, {1.05, 1.05, 0.9}, {x, y, z}}, // oblate
            {{0.95, 1.1, 0.95}, {1.1, 0.95, 0.95}, {y, x, z}}, // prolate
        };
    for (const auto& [k, values, axes] : cases) {
        const PrincipalAxes p
            = ComputePrincipalAxes(test::TensorWithAxes(Mat3::Identity(), k[0], k[1], k[2]));
        for (int j = 0; j < 3; ++j) {
            EXPECT_FLOAT_EQ(p.Value[j], values[j]) << k[0] << " " << k[1] << " " << j;
            EXPECT_EQ(p.Axis[j], axes[j]) << k[0] << " " << k[1] << " " << j;
        }
    }
}

// Values from 1e-3 to 1e3, equal pairs and negative ones: the eigenvectors and descending values
// rebuild the tensor, and the principal axes are those eigenvectors in the lower hemisphere.
// Non-finite input ends too.
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
        const PrincipalAxes p = ComputePrincipalAxes(A);

        const double scale = std::max({std::fabs(k1), std::fabs(k2), std::fabs(k3)});
        ASSERT_TRUE(test::TensorsNear(Mxabat(V, D), A, 1e-5 * scale)) << n;
        EXPECT_TRUE(D(1, 1) >= D(2, 2) && D(2, 2) >= D(3, 3) && D(1, 2) == 0) << n;
        EXPECT_EQ(EigenJacobiValues(A), (std::array<float, 3> {D(1, 1), D(2, 2), D(3, 3)})) << n;
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(p.Value[j], D(j + 1, j + 1)) << n;
            const Vec3 column {{V(1, j + 1), V(2, j + 1), V(3, j + 1)}};
            EXPECT_TRUE(p.Axis[j].Inc >= 0 && test::AxisAngle(p.Axis[j], VecToDir(column)) < 1e-3)
                << n;
        }
    }
    Mat3 A = Mat3::Identity(), D, V;
    A(1, 2) = A(2, 1) = std::numeric_limits<float>::quiet_NaN();
    A(2, 3) = A(3, 2) = std::numeric_limits<float>::infinity();
    EigenJacobi(A, D, V);
}

TEST(AnisotropyParameters, OfOrdinaryIsotropicDiamagneticAndDegenerateTensors)
{
    const double any = std::nan("");
    // K1, K2, K3; L, F, P, Pj, T, U.
    const std::pair<std::array<float, 3>, std::array<double, 6>> cases[] = {
        {{1.1f, 1.0f, 0.9f}, {1.1, 1.111111, 1.222222, 1.222325, 0.050084, 0}},
        {{1, 1, 1}, {1, 1, 1, 0, 0, 0}}, // isotropic
        // Diamagnetic: magnitudes in reversed order, but U from the signed values.
        {{-0.9f, -0.95f, -1.1f}, {1.1 / 0.95, 0.95 / 0.9, 1.1 / 0.9, 1.230796, -0.461135, 0.5}},
        // Zero instead of a division by zero.
        {{1.5f, 1.0f, 0.0f}, {1.5, 0, 0, 0, 0, any}},
        {{1.5f, 0.0f, -0.5f}, {0, any, any, any, any, any}},
        {{0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        // The rounded root argument may go negative: Pj stays finite.
        {{1, 1, std::nextafter(1.0f, 0.0f)}, {any, any, any, 1, any, any}},
    };
    for (const auto& [k, expected] : cases) {
        const AnisotropyParams p = AnisotropyParameters(k[0], k[1], k[2]);
        const float actual[] = {p.L, p.F, p.P, p.Pj, p.T, p.U};
        for (std::size_t i = 0; i < 6; ++i) {
            if (!std::isnan(expected[i])) {
                EXPECT_NEAR(actual[i], expected[i], 1e-5) << k[0] << " " << k[2] << ": " << i;
            }
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

TEST(ComputeRecordDerived, FillsCodeLettersAndAnglesToThePoleOfPlaneOne)
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
    EXPECT_EQ(std::tuple(a.Code1A, a.Code1B, a.Code2A, a.Code2B), std::tuple('B', 'L', 'S', ' '));
    EXPECT_EQ(std::tuple(b.Code1A, b.Code1B), std::tuple('\xE9', 'b'));
    // Without a plane the pole is the vertical, the K3 axis.
    EXPECT_NEAR(std::hypot(a.AxisPoleAngle3, a.AxisPoleAngle1 - 90), 0, 1e-4);
    EXPECT_NEAR(std::hypot(b.AxisPoleAngle1, b.AxisPoleAngle3 - 90), 0, 1e-3);
}

} // namespace
} // namespace tesmor::math
