#include "math/matrix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tesmor::math {

namespace {

[[noreturn]] void internalError(const char* message)
{
    std::fprintf(stderr, "Error 555: %s\n", message);
    std::abort();
}

// Determinant of the n x n matrix held in a (row-major, n <= 3) by the permutation expansion:
// every ordering of the columns contributes the signed product of its elements; a product stops
// at the first factor that is exactly 0.
float permutationDeterminant(const float* a, int n)
{
    std::array<int, 3> perm {0, 1, 2};
    float det = 0;
    do {
        int inversions = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                inversions += perm[static_cast<std::size_t>(i)] > perm[static_cast<std::size_t>(j)];
        float product = 1;
        for (int i = 0; i < n; ++i) {
            const float factor = a[i * n + perm[static_cast<std::size_t>(i)]];
            if (factor == 0) {
                product = 0;
                break;
            }
            product *= factor;
        }
        det += (inversions % 2 == 0) ? product : -product;
    } while (std::next_permutation(perm.begin(), perm.begin() + n));
    return det;
}

} // namespace

void Mvsym(Mat3& M, Vec6& v, int direction)
{
    for (int i = 1; i <= 3; ++i) {
        const int next = i % 3 + 1;
        if (direction == 1) {
            v(i) = M(i, i);
            v(i + 3) = M(i, next);
        } else {
            M(i, i) = v(i);
            M(i, next) = v(i + 3);
            M(next, i) = v(i + 3);
        }
    }
}

Vec6 PackSymmetric(const Mat3& M)
{
    Mat3 copy = M;
    Vec6 v;
    Mvsym(copy, v, 1);
    return v;
}

Mat3 UnpackSymmetric(const Vec6& v)
{
    Mat3 M;
    Vec6 copy = v;
    Mvsym(M, copy, 2);
    return M;
}

float Mxcof(const Mat3& M, int r, int c)
{
    if (r == 0 || c == 0)
        return permutationDeterminant(M.e.data(), 3);
    std::array<float, 4> minor {};
    int n = 0;
    for (int i = 1; i <= 3; ++i) {
        if (i == r)
            continue;
        for (int j = 1; j <= 3; ++j) {
            if (j != c)
                minor[static_cast<std::size_t>(n++)] = M(i, j);
        }
    }
    const float det = permutationDeterminant(minor.data(), 2);
    return ((r + c) % 2 == 0) ? det : -det;
}

void Minv(const Mat3& A, Mat3& Ainv, float& det)
{
    det = Mxcof(A, 0, 0);
    if (det == 0)
        internalError("Sub Minv - Zero determinant of matrix");
    Mat3 out;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            out(i, j) = Mxcof(A, j, i) / det;
    Ainv = out;
}

Mat3 RotHoriz(float a, float b)
{
    const float sa = static_cast<float>(std::sin(a * RadPerDeg));
    const float ca = static_cast<float>(std::cos(a * RadPerDeg));
    const float s = static_cast<float>(std::sin(b * RadPerDeg));
    const float cc = static_cast<float>(1.0 - std::cos(b * RadPerDeg));
    Mat3 R;
    R(1, 1) = 1 - sa * sa * cc;
    R(1, 2) = ca * sa * cc;
    R(2, 1) = R(1, 2);
    R(1, 3) = sa * s;
    R(2, 2) = 1 - ca * ca * cc;
    R(2, 3) = -ca * s;
    R(3, 1) = -sa * s;
    R(3, 2) = ca * s;
    R(3, 3) = 1 - cc;
    return R;
}

Mat3 RotAxis(const Vec3& u, float phi)
{
    // The degree constant of the rotation matrices is the single-precision one.
    const double radians = phi / static_cast<float>(DegPerRad);
    const float s = static_cast<float>(std::sin(radians));
    const float cc = static_cast<float>(1.0 - std::cos(radians));
    Mat3 R;
    constexpr int triples[3][3] = {{1, 2, 3}, {2, 3, 1}, {3, 1, 2}};
    for (const auto& t : triples) {
        const int k = t[0];
        const int j = t[1];
        const int l = t[2];
        R(k, l) = u(l) * u(k) * cc + s * u(j);
        R(j, l) = u(j) * u(l) * cc - s * u(k);
        R(l, l) = 1 - (1 - u(l) * u(l)) * cc;
    }
    return R;
}

Vec3 DirToVec(float D, float I)
{
    const double d = D * RadPerDeg;
    const double i = I * RadPerDeg;
    Vec3 v;
    v(1) = static_cast<float>(std::cos(i) * std::cos(d));
    v(2) = static_cast<float>(std::cos(i) * std::sin(d));
    v(3) = static_cast<float>(std::sin(i));
    return v;
}

Vec3 DirToVec(const Direction& d)
{
    return DirToVec(d.Dec, d.Inc);
}

Direction VecToDir(const Vec3& v)
{
    const double x = v(1);
    const double y = v(2);
    const double h = std::sqrt(x * x + y * y);
    Direction d;
    if (h != 0) {
        d.Dec = static_cast<float>(180.0 - ArcTan2(y, -x) * DegPerRad);
        // A vector just clockwise of North rounds to 360 in float: that is North.
        if (d.Dec >= 360.0f)
            d.Dec -= 360.0f;
    }
    d.Inc = static_cast<float>(ArcTan2(v(3), h) * DegPerRad);
    return d;
}

double ArcTan2(double y, double x)
{
    if (x == 0) {
        if (y == 0)
            return 0;
        return y > 0 ? Pi / 2 : -Pi / 2;
    }
    const double a = std::atan(y / x);
    if (x < 0)
        return y >= 0 ? a + Pi : a - Pi;
    return a;
}

double ArcSin(double x)
{
    if (x >= 1)
        return Pi / 2;
    if (x <= -1)
        return -Pi / 2;
    return std::atan(x / std::sqrt(1 - x * x));
}

double ArcSinNet(double x)
{
    if (x == 1)
        return Pi / 2;
    if (x == -1)
        return 3 * Pi / 2;
    const double root = std::sqrt(std::fabs(1 - x * x));
    if (root == 0)
        return x > 0 ? Pi / 2 : 3 * Pi / 2;
    return std::atan(x / root);
}

double ArcCos(double x)
{
    if (x >= 1)
        return 0;
    if (x <= -1)
        return Pi;
    return std::atan(-x / std::sqrt(1 - x * x)) + Pi / 2;
}

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

Direction PlaneToPole(float d, float i)
{
    Direction pole {d - 180, 90 - i};
    if (pole.Dec < 0)
        pole.Dec += 360;
    return pole;
}

Direction ToLowerHemisphere(const Direction& d)
{
    if (d.Inc >= 0)
        return d;
    Direction r {d.Dec - 180, -d.Inc};
    if (r.Dec < 0)
        r.Dec += 360;
    return r;
}

} // namespace tesmor::math
