#pragma once

// Near-equality of directions, axes and tensors for the math tests, and builders of tensors and
// records with known principal axes. Header only: it needs tesmor_math, which the support
// library does not link.

#include "math/matrix.h"
#include "math/principal_axes.h"
#include "model/specimen_record.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::test {

// Angle in degrees between two lines (signed directions), 0..180, accurate also for small angles.
inline double LineAngle(const math::Direction& a, const math::Direction& b)
{
    const auto unit = [](const math::Direction& d) {
        const double r = M_PI / 180;
        return std::array {std::cos(d.Inc * r) * std::cos(d.Dec * r),
                           std::cos(d.Inc * r) * std::sin(d.Dec * r), std::sin(d.Inc * r)};
    };
    const auto u = unit(a), v = unit(b);
    const double sine = std::hypot(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                   u[0] * v[1] - u[1] * v[0]);
    return std::atan2(sine, u[0] * v[0] + u[1] * v[1] + u[2] * v[2]) * 180 / M_PI;
}

// Angle in degrees between two axes (sign-less lines), 0..90.
inline double AxisAngle(const math::Direction& a, const math::Direction& b)
{
    return std::min(LineAngle(a, b), 180 - LineAngle(a, b));
}

inline ::testing::AssertionResult TensorsNear(const math::Mat3& actual, const math::Mat3& expected,
                                              double tolerance)
{
    for (std::size_t n = 0; n < 9; ++n)
        if (std::fabs(double(actual.e[n]) - expected.e[n]) > tolerance)
            return ::testing::AssertionFailure()
                << "element (" << n / 3 + 1 << ", " << n % 3 + 1 << ") is " << actual.e[n]
                << ", expected " << expected.e[n];
    return ::testing::AssertionSuccess();
}

// A general rotation: about z by a, then about the new y by b, then about the new z by c
// (degrees).
inline math::Mat3 EulerRotation(float a, float b, float c)
{
    const math::Vec3 y {{0, 1, 0}}, z {{0, 0, 1}};
    return math::Mxmpy(math::Mxmpy(math::RotAxis(z, a), math::RotAxis(y, b)), math::RotAxis(z, c));
}

// R diag(k1, k2, k3) R^T in double, rounded to float.
inline math::Mat3 TensorWithAxes(const math::Mat3& R, double k1, double k2, double k3)
{
    const double k[3] = {k1, k2, k3};
    math::Mat3 T;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            double sum = 0;
            for (int m = 1; m <= 3; ++m)
                sum += double(R(i, m)) * k[m - 1] * double(R(j, m));
            T(i, j) = static_cast<float>(sum);
        }
    return T;
}

// A record holding the tensor T, with Km = 100 and the derived fields filled.
inline model::SpecimenRecord RecordWithTensor(const math::Mat3& T, float Km = 100)
{
    std::vector<model::SpecimenRecord> one(1);
    math::SetRecordTensor(one[0], T);
    one[0].Km = Km;
    math::ComputeRecordDerived(one);
    return one.front();
}

} // namespace tesmor::test
