#pragma once

// Near-equality of directions, axes and tensors for the math tests, and builders of tensors and
// records with known principal axes. Header only: it needs tesmor_math, which the support
// library does not link.

#include "math/matrix.h"
#include "math/principal_axes.h"
#include "model/specimen_record.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace tesmor::test {

// Angle in degrees between two lines (signed directions), 0..180, accurate also for small angles.
inline double LineAngle(const math::Direction& a, const math::Direction& b)
{
    const double r = M_PI / 180;
    const double u[3] = {std::cos(a.Inc * r) * std::cos(a.Dec * r),
                         std::cos(a.Inc * r) * std::sin(a.Dec * r), std::sin(a.Inc * r)};
    const double v[3] = {std::cos(b.Inc * r) * std::cos(b.Dec * r),
                         std::cos(b.Inc * r) * std::sin(b.Dec * r), std::sin(b.Inc * r)};
    const double cross[3]
        = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double sine = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
    const double cosine = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    return std::atan2(sine, cosine) / r;
}

// Angle in degrees between two axes (sign-less lines), 0..90.
inline double AxisAngle(const math::Direction& a, const math::Direction& b)
{
    const double angle = LineAngle(a, b);
    return angle > 90 ? 180 - angle : angle;
}

inline ::testing::AssertionResult AxesNear(const math::Direction& actual,
                                           const math::Direction& expected, double toleranceDeg)
{
    const double angle = AxisAngle(actual, expected);
    if (angle <= toleranceDeg)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "axis (" << actual.Dec << ", " << actual.Inc << ") is " << angle << " deg from ("
        << expected.Dec << ", " << expected.Inc << ")";
}

inline ::testing::AssertionResult TensorsNear(const math::Mat3& actual, const math::Mat3& expected,
                                              double tolerance)
{
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            if (std::fabs(double(actual(i, j)) - expected(i, j)) > tolerance) {
                std::ostringstream s;
                s << "element (" << i << ", " << j << ") is " << actual(i, j) << ", expected "
                  << expected(i, j);
                return ::testing::AssertionFailure() << s.str();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline math::Mat3 Transpose(const math::Mat3& m)
{
    math::Mat3 t;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            t(i, j) = m(j, i);
    return t;
}

// The rotation taking the frame axes x, y, z onto the given orthonormal directions (columns).
inline math::Mat3 RotationFromAxes(const math::Vec3& x, const math::Vec3& y, const math::Vec3& z)
{
    math::Mat3 R;
    for (int i = 1; i <= 3; ++i) {
        R(i, 1) = x(i);
        R(i, 2) = y(i);
        R(i, 3) = z(i);
    }
    return R;
}

// A general rotation: about z by a, then about the new y by b, then about the new z by c
// (degrees), computed in double and rounded to float.
inline math::Mat3 EulerRotation(double a, double b, double c)
{
    const double r = M_PI / 180;
    const double ca = std::cos(a * r), sa = std::sin(a * r);
    const double cb = std::cos(b * r), sb = std::sin(b * r);
    const double cc = std::cos(c * r), sc = std::sin(c * r);
    const double m[3][3] = {{ca * cb * cc - sa * sc, -ca * cb * sc - sa * cc, ca * sb},
                            {sa * cb * cc + ca * sc, -sa * cb * sc + ca * cc, sa * sb},
                            {-sb * cc, sb * sc, cb}};
    math::Mat3 R;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            R(i + 1, j + 1) = static_cast<float>(m[i][j]);
    return R;
}

// R diag(k1, k2, k3) R^T in double, rounded to float.
inline math::Mat3 TensorWithAxes(const math::Mat3& R, double k1, double k2, double k3)
{
    const double k[3] = {k1, k2, k3};
    math::Mat3 T;
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            double sum = 0;
            for (int m = 1; m <= 3; ++m)
                sum += double(R(i, m)) * k[m - 1] * double(R(j, m));
            T(i, j) = static_cast<float>(sum);
        }
    }
    return T;
}

// The direction of column j of R, as an axis in the lower hemisphere.
inline math::Direction ColumnAxis(const math::Mat3& R, int j)
{
    math::Vec3 v;
    for (int i = 1; i <= 3; ++i)
        v(i) = R(i, j);
    return math::ToLowerHemisphere(math::VecToDir(v));
}

// A record holding the tensor T, with Km = 100 and the derived fields filled.
inline model::SpecimenRecord RecordWithTensor(const math::Mat3& T, float Km = 100)
{
    model::SpecimenRecord r;
    math::SetRecordTensor(r, T);
    r.Km = Km;
    std::vector<model::SpecimenRecord> one {r};
    math::ComputeRecordDerived(one);
    return one.front();
}

} // namespace tesmor::test
