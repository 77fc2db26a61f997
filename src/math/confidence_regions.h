#pragma once

// Confidence regions of the principal axes of a group besides Tenvar: the F distribution's
// critical values, Hext (1963) statistics of a set of specimen tensors, and the elliptical cones
// about an axis that both Hext and the bootstrap draw on the net.

#include "math/frames.h"
#include "math/group_statistics.h"
#include "math/matrix.h"
#include "model/specimen_record.h"

#include <array>
#include <vector>

namespace tesmor::math {

// The regularized incomplete beta function I_x(a, b), a, b > 0, x in [0, 1].
double IncompleteBeta(double a, double b, double x);

// The upper-tail critical value of the F distribution with d1 and d2 degrees of freedom: the f
// with P(F > f) = alpha (0 < alpha < 1, d1, d2 >= 1).
double FCritical(double d1, double d2, double alpha);

// An elliptical cone about a principal axis: semi-angles (degrees) towards two perpendicular
// directions, and its curve on the net. Major >= Minor.
struct AxisEllipse
{
    bool Defined = false;
    Direction Centre;
    float Major = 0;
    float Minor = 0;
    Direction MajorDir;
    Direction MinorDir;
    // EllipseCurvePoints points, 0.1 degree apart round the ellipse, in the chosen projection.
    std::vector<NetPoint> Curve;

    friend bool operator==(const AxisEllipse&, const AxisEllipse&) = default;
};

// The ellipse about the unit vector c with semi-angles a towards the unit vector u and b towards
// the unit vector w (u, w perpendicular to c and to each other), degrees; the curve is the
// direction c + tan(a) cos(t) u + tan(b) sin(t) w for t round the circle.
AxisEllipse ConeEllipse(const Vec3d& c, const Vec3d& u, double a, const Vec3d& w, double b,
                        Projection projection);

// The fewest records for Hext statistics (6 degrees of freedom).
inline constexpr int MinRecordsForHext = 2;

// Hext statistics of a group of specimen tensors, each normalised to a mean principal value of 1
// (trace 3). The residuals of the six-position measurement vectors
//   (k11, k22, k33, k12 + (k11 + k22)/2, k23 + (k22 + k33)/2, k13 + (k11 + k33)/2)
// about their mean give sigma with nf = 6(N - 1) degrees of freedom. The principal values tau of
// the mean tensor give the F ratios of anisotropy, of K1 against K2 and of K2 against K3, tested
// against F(5, nf) and F(2, nf) at 95%; the semi-angles of the 95% confidence ellipses are
// e_ij = atan(f sigma / (2 |tau_i - tau_j|)), f = sqrt(2 F(2, nf)).
struct HextStatistics
{
    bool Defined = false; // N >= MinRecordsForHext
    int N = 0;
    int nf = 0;
    double sigma = 0;
    // The F ratios need sigma > 0; undefined ones are 0.
    bool RatiosDefined = false;
    double F = 0;
    double F12 = 0;
    double F23 = 0;
    double Fcrit = 0;
    double F12crit = 0;
    // Semi-angles (degrees); 90 where two principal values are equal.
    double e12 = 0;
    double e23 = 0;
    double e13 = 0;
    std::array<double, 3> Tau {}; // principal values of the mean tensor, descending
    std::array<Direction, 3> Axis {}; // their directions, lower hemisphere
    // The ellipse of each axis i: semi-angles e_ij and e_ik towards the other two axes.
    std::array<AxisEllipse, 3> Ellipse;

    friend bool operator==(const HextStatistics&, const HextStatistics&) = default;
};

HextStatistics ComputeHext(const std::vector<model::SpecimenRecord>& records,
                           Projection projection);

// The direction of v (not zero), in the lower hemisphere.
Direction AxisDirection(const Vec3d& v);

} // namespace tesmor::math
