#include "math/confidence_regions.h"

#include "math/principal_axes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tesmor::math {

namespace {

// The continued fraction of I_x(a, b) (modified Lentz), good for x < (a + 1) / (a + b + 2).
double betaFraction(double a, double b, double x)
{
    constexpr double tiny = 1e-300;
    const auto guard = [](double v) { return std::fabs(v) < tiny ? tiny : v; };
    double c = 1;
    double d = 1 / guard(1 - (a + b) * x / (a + 1));
    double h = d;
    for (int m = 1; m <= 10000; ++m) {
        const double even = m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m));
        d = 1 / guard(1 + even * d);
        c = guard(1 + even / c);
        h *= d * c;
        const double odd = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
        d = 1 / guard(1 + odd * d);
        c = guard(1 + odd / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-15)
            break;
    }
    return h;
}

Vec3d column(const Mat3d& V, int j)
{
    return Vec3d {{V(1, j), V(2, j), V(3, j)}};
}

Vec3d combine(const Vec3d& c, double s, const Vec3d& u, double t, const Vec3d& w)
{
    Vec3d v;
    for (int i = 1; i <= 3; ++i)
        v(i) = c(i) + s * u(i) + t * w(i);
    return v;
}

} // namespace

double IncompleteBeta(double a, double b, double x)
{
    if (!(x > 0))
        return 0;
    if (!(x < 1))
        return 1;
    // lgamma is used on one thread at a time only (it may set the global signgam).
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b)
                                  + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2))
        return front * betaFraction(a, b, x) / a;
    return 1 - front * betaFraction(b, a, 1 - x) / b;
}

double FCritical(double d1, double d2, double alpha)
{
    // P(F > f) = I_y(d2/2, d1/2) with y = d2 / (d2 + d1 f), which grows with y: bisect on y.
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 200 && hi - lo > 1e-17; ++i) {
        const double mid = (lo + hi) / 2;
        if (IncompleteBeta(d2 / 2, d1 / 2, mid) < alpha)
            lo = mid;
        else
            hi = mid;
    }
    const double y = (lo + hi) / 2;
    return d2 * (1 - y) / (d1 * y);
}

Direction AxisDirection(const Vec3d& v)
{
    const double r = std::sqrt(v(1) * v(1) + v(2) * v(2) + v(3) * v(3));
    if (!(r > 0))
        return Direction {};
    const double s = v(3) < 0 ? -1 : 1;
    double dec = ArcTan2(s * v(2), s * v(1)) * DegPerRad;
    if (dec < 0)
        dec += 360;
    if (dec >= 360)
        dec -= 360;
    const double inc = ArcSin(std::clamp(s * v(3) / r, -1.0, 1.0)) * DegPerRad;
    return Direction {static_cast<float>(dec), static_cast<float>(inc)};
}

AxisEllipse ConeEllipse(const Vec3d& c, const Vec3d& u, double a, const Vec3d& w, double b,
                        Projection projection)
{
    AxisEllipse e;
    if (!std::isfinite(a) || !std::isfinite(b))
        return e;
    const bool swapped = b > a;
    e.Defined = true;
    e.Centre = AxisDirection(c);
    e.Major = static_cast<float>(swapped ? b : a);
    e.Minor = static_cast<float>(swapped ? a : b);
    e.MajorDir = AxisDirection(swapped ? w : u);
    e.MinorDir = AxisDirection(swapped ? u : w);
    // A semi-angle of 90 degrees reaches the plane perpendicular to the axis: a large finite
    // tangent keeps the curve a curve.
    const double ta = std::tan(std::min(a, 89.99) * RadPerDeg);
    const double tb = std::tan(std::min(b, 89.99) * RadPerDeg);
    e.Curve.resize(EllipseCurvePoints);
    for (int t = 0; t < EllipseCurvePoints; ++t) {
        const double phi = 0.1 * t * RadPerDeg;
        e.Curve[static_cast<std::size_t>(t)]
            = ProjectVector(combine(c, ta * std::cos(phi), u, tb * std::sin(phi), w), projection);
    }
    return e;
}

HextStatistics ComputeHext(const std::vector<model::SpecimenRecord>& records, Projection projection)
{
    HextStatistics h;
    h.N = static_cast<int>(records.size());
    if (h.N < MinRecordsForHext)
        return h;
    h.Defined = true;
    h.nf = 6 * (h.N - 1);

    const auto measurements = [](const model::SpecimenRecord& r) {
        const double k11 = r.K11, k22 = r.K22, k33 = r.K33;
        return std::array<double, 6> {k11,
                                      k22,
                                      k33,
                                      r.K12 + (k11 + k22) / 2,
                                      r.K23 + (k22 + k33) / 2,
                                      r.K13 + (k11 + k33) / 2};
    };
    std::array<double, 6> mean {};
    for (const model::SpecimenRecord& r : records) {
        const auto d = measurements(r);
        for (std::size_t j = 0; j < 6; ++j)
            mean[j] += d[j];
    }
    for (double& m : mean)
        m /= h.N;
    double squares = 0;
    for (const model::SpecimenRecord& r : records) {
        const auto d = measurements(r);
        for (std::size_t j = 0; j < 6; ++j)
            squares += (d[j] - mean[j]) * (d[j] - mean[j]);
    }
    h.sigma = std::sqrt(squares / h.nf);

    // The mean tensor back from the mean measurements.
    Mat3d M;
    M(1, 1) = mean[0];
    M(2, 2) = mean[1];
    M(3, 3) = mean[2];
    M(1, 2) = M(2, 1) = mean[3] - (mean[0] + mean[1]) / 2;
    M(2, 3) = M(3, 2) = mean[4] - (mean[1] + mean[2]) / 2;
    M(1, 3) = M(3, 1) = mean[5] - (mean[0] + mean[2]) / 2;
    Mat3d D;
    Mat3d V;
    EigenJacobiD(M, D, V);
    h.Tau = {D(1, 1), D(2, 2), D(3, 3)};
    for (int j = 1; j <= 3; ++j)
        h.Axis[static_cast<std::size_t>(j - 1)] = AxisDirection(column(V, j));

    const auto& t = h.Tau;
    h.Fcrit = FCritical(5, h.nf, 0.05);
    h.F12crit = FCritical(2, h.nf, 0.05);
    const double tbar = (t[0] + t[1] + t[2]) / 3;
    h.RatiosDefined = h.sigma > 0;
    if (h.RatiosDefined) {
        const double s2 = h.sigma * h.sigma;
        h.F = 0.4 * (t[0] * t[0] + t[1] * t[1] + t[2] * t[2] - 3 * tbar * tbar) / s2;
        h.F12 = 0.5 * (t[0] - t[1]) * (t[0] - t[1]) / s2;
        h.F23 = 0.5 * (t[1] - t[2]) * (t[1] - t[2]) / s2;
    }
    const double f = std::sqrt(2 * h.F12crit);
    const auto semiAngle = [&](double ti, double tj) {
        const double gap = 2 * std::fabs(ti - tj);
        if (!(gap > 0))
            return 90.0;
        return std::atan(f * h.sigma / gap) * DegPerRad;
    };
    h.e12 = semiAngle(t[0], t[1]);
    h.e23 = semiAngle(t[1], t[2]);
    h.e13 = semiAngle(t[0], t[2]);

    const double e[3][3] = {{0, h.e12, h.e13}, {h.e12, 0, h.e23}, {h.e13, h.e23, 0}};
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        const int k = (i + 2) % 3;
        h.Ellipse[static_cast<std::size_t>(i)] = ConeEllipse(
            column(V, i + 1), column(V, j + 1), e[i][j], column(V, k + 1), e[i][k], projection);
    }
    return h;
}

} // namespace tesmor::math
