#include "math/principal_axes.h"
#include "support/math_near.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace tesmor::math {
namespace {

Mat3 Diagonal(float a, float b, float c)
{
    Mat3 M;
    M.e = {a, 0, 0, 0, b, 0, 0, 0, c};
    return M;
}

TEST(PrincipalAxes, OfDiagonalTensorsAreFrameAxesInDescendingOrderAndTiesKeepTheEarlierAxis)
{
    const Direction x {0, 0}, y {90, 0}, z {0, 90};
    struct Case
    {
        Mat3 tensor;
        std::array<float, 3> values;
        std::array<Direction, 3> axes;
    };
    const Case cases[] = {
        {Diagonal(1.1f, 1.0f, 0.9f), {1.1f, 1.0f, 0.9f}, {x, y, z}},
        {Diagonal(0.9f, 1.0f, 1.1f), {1.1f, 1.0f, 0.9f}, {z, y, x}},
        {Diagonal(1.05f, 1.05f, 0.9f), {1.05f, 1.05f, 0.9f}, {x, y, z}}, // oblate
        {Diagonal(0.95f, 1.1f, 0.95f), {1.1f, 0.95f, 0.95f}, {y, x, z}}, // prolate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);

        const PrincipalAxes axes = ComputePrincipalAxes(c.tensor);

        for (int j = 0; j < 3; ++j) {
            EXPECT_FLOAT_EQ(axes.Value[j], c.values[j]) << j;
            EXPECT_EQ(axes.Axis[j], c.axes[j]) << j;
        }
    }
}

TEST(PrincipalAxes, OfRotatedTensorsRecoverValuesAndAxesInTheLowerHemisphere)
{
    const double angles[][3] = {{0, 0, 0},      {30, 40, 50}, {200, 100, 10}, {359, 89, 1},
                                {120, 170, 80}, {45, 45, 45}, {10, 135, 300}, {270, 60, 190}};
    for (const auto& a : angles) {
        const Mat3 R = test::EulerRotation(a[0], a[1], a[2]);

        const PrincipalAxes axes = ComputePrincipalAxes(test::TensorWithAxes(R, 1.12, 0.98, 0.90));

        EXPECT_NEAR(axes.Value[0], 1.12, 2e-6);
        EXPECT_NEAR(axes.Value[1], 0.98, 2e-6);
        EXPECT_NEAR(axes.Value[2], 0.90, 2e-6);
        for (int j = 0; j < 3; ++j) {
            EXPECT_GE(axes.Axis[j].Inc, 0);
            EXPECT_TRUE(test::AxesNear(axes.Axis[j], test::ColumnAxis(R, j + 1), 1e-3));
        }
    }
}

TEST(EigenJacobi, ReconstructsRandomTensorsIncludingExtremeOnesAndValuesAgree)
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
        Mat3 D;
        Mat3 V;

        EigenJacobi(A, D, V);

        const Mat3 back = Mxmpy(Mxmpy(V, D), test::Transpose(V));
        const double scale = std::max({std::fabs(k1), std::fabs(k2), std::fabs(k3)});
        ASSERT_TRUE(test::TensorsNear(back, A, 1e-5 * scale)) << n;
        EXPECT_GE(D(1, 1), D(2, 2));
        EXPECT_GE(D(2, 2), D(3, 3));
        EXPECT_EQ(D(1, 2), 0);
        EXPECT_EQ(EigenJacobiValues(A), (std::array<float, 3> {D(1, 1), D(2, 2), D(3, 3)})) << n;
    }
}

TEST(EigenJacobi, EndsForNonFiniteInput)
{
    Mat3 A = Diagonal(1, 1, 1);
    A(1, 2) = A(2, 1) = std::numeric_limits<float>::quiet_NaN();
    A(2, 3) = A(3, 2) = std::numeric_limits<float>::infinity();
    Mat3 D;
    Mat3 V;

    EigenJacobi(A, D, V);

    SUCCEED();
}

TEST(EigenJacobiD, SolvesA2x2MatrixWithEigenvectorsPointingUpTheSecondAxis)
{
    Mat2d A;
    A.e = {2, 1, 1, 2};
    Mat2d D;
    Mat2d V;

    EigenJacobiD(A, D, V);

    EXPECT_NEAR(D(1, 1), 3, 1e-12);
    EXPECT_NEAR(D(2, 2), 1, 1e-12);
    EXPECT_NEAR(V(1, 1), std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(V(2, 1), std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(V(1, 2), -std::sqrt(0.5), 1e-12);
    EXPECT_GE(V(2, 2), 0);
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
        for (int i = 0; i < 6; ++i) {
            if (!std::isnan(expected[i])) {
                EXPECT_NEAR(actual[i], expected[i], 1e-5) << "L, F, P, Pj, T, U: " << i;
            }
        }
    }
}

// Nearly isotropic specimens (P about 1.005), normalised to unit trace, to unit mean and not at
// all: T and U agree with a double-precision evaluation from the same float values to their last
// digits.
TEST(AnisotropyParameters, ShapeOfANearlyIsotropicTensorKeepsItsDigits)
{
    const float cases[][3] = {{0.3343f, 0.3334f, 0.3323f},
                              {0.33433f, 0.333f, 0.33267f},
                              {1.003f, 1.0005f, 0.997f},
                              {335.1f, 333.4f, 333.0f}};
    for (const auto& [k1, k2, k3] : cases) {
        SCOPED_TRACE(testing::Message() << k1 << " " << k2 << " " << k3);
        const double l1 = std::log(double(k1));
        const double l2 = std::log(double(k2));
        const double l3 = std::log(double(k3));
        const double T = (2 * l2 - l1 - l3) / (l1 - l3);
        const double U = (2.0 * k2 - k1 - k3) / (double(k1) - k3);

        const AnisotropyParams p = AnisotropyParameters(k1, k2, k3);

        EXPECT_NEAR(p.T, T, 1e-7);
        EXPECT_NEAR(p.U, U, 1e-7);
    }
}

TEST(AxisAngleToPole, IsZeroForTheSameAxisAndNinetyForAnAxisInThePlane)
{
    EXPECT_EQ(AxisAngleToPole(123.4f, 56.7f, 123.4f, 56.7f), 0);
    EXPECT_NEAR(AxisAngleToPole(10, 20, 190, -20), 0, 1e-3);
    EXPECT_NEAR(AxisAngleToPole(0, 0, 90, 0), 90, 1e-4);
    EXPECT_NEAR(AxisAngleToPole(0, 0, 120, 0), 60, 1e-4);
}

TEST(ComputeRecordDerived, FillsIndexCodesAndAnglesToThePoleOfPlaneOne)
{
    std::vector<model::SpecimenRecord> records(2);
    for (auto& r : records)
        SetRecordTensor(r, Diagonal(1.1f, 1.0f, 0.9f));
    records[0].Code1 = "BL";
    records[0].Code2 = "S";
    records[1].Code1 = "\xC3\xA9"
                       "b"; // letters are Windows-1252 bytes: e-acute
    records[1].F1Dec = 180; // a vertical plane dipping South: its pole is North, horizontal
    records[1].F1Inc = 90;

    ComputeRecordDerived(records);

    EXPECT_EQ(std::tuple(records[0].Index, records[1].Index), std::tuple(1, 2));
    EXPECT_EQ(
        std::tuple(records[0].Code1A, records[0].Code1B, records[0].Code2A, records[0].Code2B),
        std::tuple('B', 'L', 'S', ' '));
    EXPECT_EQ(std::tuple(records[1].Code1A, records[1].Code1B), std::tuple('\xE9', 'b'));
    // Without a plane the pole is the vertical, the K3 axis.
    EXPECT_NEAR(records[0].AxisPoleAngle3, 0, 1e-4);
    EXPECT_NEAR(records[0].AxisPoleAngle1, 90, 1e-4);
    EXPECT_NEAR(records[1].AxisPoleAngle1, 0, 1e-3);
    EXPECT_NEAR(records[1].AxisPoleAngle3, 90, 1e-3);
}

} // namespace
} // namespace tesmor::math
