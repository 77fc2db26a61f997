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
    M(1, 1) = a;
    M(2, 2) = b;
    M(3, 3) = c;
    return M;
}

TEST(PrincipalAxes, OfADiagonalTensorAreTheFrameAxesInDescendingOrder)
{
    const model::SpecimenRecord r = test::RecordWithTensor(Diagonal(1.1f, 1.0f, 0.9f));

    EXPECT_FLOAT_EQ(r.K1, 1.1f);
    EXPECT_FLOAT_EQ(r.K2, 1.0f);
    EXPECT_FLOAT_EQ(r.K3, 0.9f);
    EXPECT_EQ((Direction {r.K1dec, r.K1inc}), (Direction {0, 0}));
    EXPECT_EQ((Direction {r.K2dec, r.K2inc}), (Direction {90, 0}));
    EXPECT_EQ((Direction {r.K3dec, r.K3inc}), (Direction {0, 90}));
}

TEST(PrincipalAxes, OfAReversedDiagonalPutK1Down)
{
    const model::SpecimenRecord r = test::RecordWithTensor(Diagonal(0.9f, 1.0f, 1.1f));

    EXPECT_FLOAT_EQ(r.K1, 1.1f);
    EXPECT_FLOAT_EQ(r.K3, 0.9f);
    EXPECT_EQ((Direction {r.K1dec, r.K1inc}), (Direction {0, 90}));
    EXPECT_EQ((Direction {r.K3dec, r.K3inc}), (Direction {0, 0}));
}

TEST(PrincipalAxes, WithEqualValuesKeepTheEarlierAxisFirst)
{
    const PrincipalAxes oblate = ComputePrincipalAxes(Diagonal(1.05f, 1.05f, 0.9f));
    const PrincipalAxes prolate = ComputePrincipalAxes(Diagonal(0.95f, 1.1f, 0.95f));

    EXPECT_EQ(oblate.Axis[0], (Direction {0, 0}));
    EXPECT_EQ(oblate.Axis[1], (Direction {90, 0}));
    EXPECT_EQ(prolate.Axis[0], (Direction {90, 0}));
    EXPECT_EQ(prolate.Axis[1], (Direction {0, 0}));
    EXPECT_EQ(prolate.Axis[2], (Direction {0, 90}));
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

TEST(EigenJacobi, ReconstructsRandomTensorsIncludingExtremeOnes)
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

TEST(EigenJacobiValues, AreExactlyTheEigenvaluesOfEigenJacobi)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> angle(0, 360);
    std::uniform_real_distribution<double> value(0.8, 1.2);
    for (int n = 0; n < 200; ++n) {
        const Mat3 A = test::TensorWithAxes(
            test::EulerRotation(angle(random), angle(random) / 2, angle(random)), value(random),
            value(random), value(random));
        Mat3 D;
        Mat3 V;

        EigenJacobi(A, D, V);
        const std::array<float, 3> values = EigenJacobiValues(A);

        EXPECT_EQ(values[0], D(1, 1));
        EXPECT_EQ(values[1], D(2, 2));
        EXPECT_EQ(values[2], D(3, 3));
    }
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
    EXPECT_GE(V(2, 2), 0);
    EXPECT_NEAR(V(1, 2), -std::sqrt(0.5), 1e-12);
}

TEST(AnisotropyParameters, OfAnOrdinaryTensor)
{
    const AnisotropyParams p = AnisotropyParameters(1.1f, 1.0f, 0.9f);

    EXPECT_FLOAT_EQ(p.L, 1.1f);
    EXPECT_NEAR(p.F, 1.11111, 1e-5);
    EXPECT_NEAR(p.P, 1.22222, 1e-5);
    EXPECT_NEAR(p.Pj, 1.22233, 1e-4);
    EXPECT_NEAR(p.T, 0.050084, 1e-4);
    EXPECT_NEAR(p.U, 0, 1e-6);
}

TEST(AnisotropyParameters, OfAnIsotropicTensor)
{
    const AnisotropyParams p = AnisotropyParameters(1, 1, 1);

    EXPECT_EQ(p.L, 1);
    EXPECT_EQ(p.F, 1);
    EXPECT_EQ(p.P, 1);
    EXPECT_EQ(p.Pj, 0);
    EXPECT_EQ(p.T, 0);
    EXPECT_EQ(p.U, 0);
}

TEST(AnisotropyParameters, OfADiamagneticTensorUseMagnitudesButSignedU)
{
    const AnisotropyParams p = AnisotropyParameters(-0.9f, -0.95f, -1.1f);

    EXPECT_NEAR(p.L, 1.1 / 0.95, 1e-5);
    EXPECT_NEAR(p.F, 0.95 / 0.9, 1e-5);
    EXPECT_NEAR(p.P, 1.1 / 0.9, 1e-5);
    EXPECT_GT(p.Pj, 1);
    EXPECT_NEAR(p.U, 0.5, 1e-5);
}

TEST(AnisotropyParameters, OfDegenerateTensorsAreZeroInsteadOfDivisionByZero)
{
    const AnisotropyParams zeroK3 = AnisotropyParameters(1.5f, 1.0f, 0.0f);
    const AnisotropyParams zeroK2 = AnisotropyParameters(1.5f, 0.0f, -0.5f);
    const AnisotropyParams zero = AnisotropyParameters(0, 0, 0);

    EXPECT_EQ(zeroK3.F, 0);
    EXPECT_EQ(zeroK3.P, 0);
    EXPECT_EQ(zeroK3.Pj, 0);
    EXPECT_EQ(zeroK3.T, 0);
    EXPECT_FLOAT_EQ(zeroK3.L, 1.5f);
    EXPECT_EQ(zeroK2.L, 0);
    EXPECT_EQ(zero.U, 0);
    EXPECT_EQ(zero.L, 0);
}

TEST(AnisotropyParameters, OfANearlyIsotropicTensorGiveAFinitePj)
{
    const float k = 1.0f;
    const float below = std::nextafter(k, 0.0f);

    const AnisotropyParams p = AnisotropyParameters(k, k, below);

    EXPECT_TRUE(std::isfinite(p.Pj));
    EXPECT_NEAR(p.Pj, 1, 1e-6);
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
    records[1].F1Dec = 180; // a vertical plane dipping South: its pole is North, horizontal
    records[1].F1Inc = 90;

    ComputeRecordDerived(records);

    EXPECT_EQ(records[0].Index, 1);
    EXPECT_EQ(records[1].Index, 2);
    EXPECT_EQ(records[0].Code1A, 'B');
    EXPECT_EQ(records[0].Code1B, 'L');
    EXPECT_EQ(records[0].Code2A, 'S');
    EXPECT_EQ(records[0].Code2B, ' ');
    // Without a plane the pole is the vertical, the K3 axis.
    EXPECT_NEAR(records[0].AxisPoleAngle3, 0, 1e-4);
    EXPECT_NEAR(records[0].AxisPoleAngle1, 90, 1e-4);
    EXPECT_NEAR(records[1].AxisPoleAngle1, 0, 1e-3);
    EXPECT_NEAR(records[1].AxisPoleAngle3, 90, 1e-3);
}

TEST(ComputeRecordDerived, ReportsAnUpwardEigenvectorReversed)
{
    // K1 along (cos 30, 0, -sin 30), pointing up to the North: shown as (180, 30).
    const Mat3 R = RotAxis(Vec3 {{0, 1, 0}}, 30);

    const model::SpecimenRecord r = test::RecordWithTensor(test::TensorWithAxes(R, 1.2, 1.0, 0.8));

    EXPECT_NEAR(r.K1dec, 180, 1e-3);
    EXPECT_NEAR(r.K1inc, 30, 1e-3);
}

} // namespace
} // namespace tesmor::math
