#pragma once

// Dense fixed-size matrices and vectors, their products, inverse, rotations and the conversions
// between vectors and directions. Frames and conventions: see math/frames.h.
//
// Sizes are part of the types, so the dimension checks of the products hold at compile time.
// Sums of products run term by term in index order; with float elements each product is rounded
// to float before it is added to a float running sum, with double elements everything stays in
// double (the "D" variants).

#include "math/frames.h"

#include <array>
#include <cstddef>

namespace tesmor::math {

// An R x C matrix, row-major, indexed from 1: m(row, column).
template<typename T, int R, int C> struct Matrix
{
    static constexpr int Rows = R;
    static constexpr int Cols = C;
    std::array<T, static_cast<std::size_t>(R* C)> e {};

    T& operator()(int i, int j) { return e[static_cast<std::size_t>((i - 1) * C + (j - 1))]; }
    const T& operator()(int i, int j) const
    {
        return e[static_cast<std::size_t>((i - 1) * C + (j - 1))];
    }

    static Matrix Identity()
    {
        static_assert(R == C);
        Matrix m;
        for (int i = 1; i <= R; ++i)
            m(i, i) = T(1);
        return m;
    }

    friend bool operator==(const Matrix&, const Matrix&) = default;
};

// An N-vector indexed from 1: v(i).
template<typename T, int N> struct Vector
{
    static constexpr int Size = N;
    std::array<T, static_cast<std::size_t>(N)> e {};

    T& operator()(int i) { return e[static_cast<std::size_t>(i - 1)]; }
    const T& operator()(int i) const { return e[static_cast<std::size_t>(i - 1)]; }

    friend bool operator==(const Vector&, const Vector&) = default;
};

using Mat3 = Matrix<float, 3, 3>;
using Mat3d = Matrix<double, 3, 3>;
using Mat2d = Matrix<double, 2, 2>;
using Mat6d = Matrix<double, 6, 6>;
using Vec3 = Vector<float, 3>;
using Vec3d = Vector<double, 3>;
using Vec6 = Vector<float, 6>;
using Vec6d = Vector<double, 6>;

// C = A B, C(i,j) = sum_k A(i,k) B(k,j).
template<typename T, int N, int M, int P>
void Mxmpy(const Matrix<T, N, M>& A, const Matrix<T, M, P>& B, Matrix<T, N, P>& C)
{
    Matrix<T, N, P> out;
    for (int i = 1; i <= N; ++i) {
        for (int j = 1; j <= P; ++j) {
            T sum = 0;
            for (int k = 1; k <= M; ++k) {
                const T product = A(i, k) * B(k, j);
                sum += product;
            }
            out(i, j) = sum;
        }
    }
    C = out;
}

template<typename T, int N, int M, int P>
Matrix<T, N, P> Mxmpy(const Matrix<T, N, M>& A, const Matrix<T, M, P>& B)
{
    Matrix<T, N, P> C;
    Mxmpy(A, B, C);
    return C;
}

// y = A x.
template<typename T, int N, int M>
void Mvmpy(const Matrix<T, N, M>& A, const Vector<T, M>& x, Vector<T, N>& y)
{
    Vector<T, N> out;
    for (int i = 1; i <= N; ++i) {
        T sum = 0;
        for (int k = 1; k <= M; ++k) {
            const T product = A(i, k) * x(k);
            sum += product;
        }
        out(i) = sum;
    }
    y = out;
}

template<typename T, int N, int M>
Vector<T, N> Mvmpy(const Matrix<T, N, M>& A, const Vector<T, M>& x)
{
    Vector<T, N> y;
    Mvmpy(A, x, y);
    return y;
}

// C = A B A^T, the congruence that rotates a tensor (T' = R T R^T) or transforms a covariance
// matrix. Worked row by row of A: t(j) = sum_k A(i,k) B(j,k), then C(l,i) = sum_j A(l,j) t(j).
// For a symmetric B this is exactly A B A^T. Single precision for float, double for double.
template<typename T, int N, int M>
void Mxabat(const Matrix<T, N, M>& A, const Matrix<T, M, M>& B, Matrix<T, N, N>& C)
{
    Matrix<T, N, N> out;
    for (int i = 1; i <= N; ++i) {
        std::array<T, static_cast<std::size_t>(M)> t {};
        for (int j = 1; j <= M; ++j) {
            T sum = 0;
            for (int k = 1; k <= M; ++k) {
                const T product = A(i, k) * B(j, k);
                sum += product;
            }
            t[static_cast<std::size_t>(j - 1)] = sum;
        }
        for (int l = 1; l <= N; ++l) {
            T sum = 0;
            for (int j = 1; j <= M; ++j) {
                const T product = A(l, j) * t[static_cast<std::size_t>(j - 1)];
                sum += product;
            }
            out(l, i) = sum;
        }
    }
    C = out;
}

template<typename T, int N, int M>
Matrix<T, N, N> Mxabat(const Matrix<T, N, M>& A, const Matrix<T, M, M>& B)
{
    Matrix<T, N, N> C;
    Mxabat(A, B, C);
    return C;
}

// The double-precision congruence of the group statistics.
inline Mat6d MxabatD(const Mat6d& A, const Mat6d& B)
{
    return Mxabat(A, B);
}

// Packing of a symmetric 3x3 tensor as six components in the order (1,1), (2,2), (3,3), (1,2),
// (2,3), (1,3) = K11 K22 K33 K12 K23 K13. Direction 1 packs M into v; any other value unpacks v
// into M, setting each off-diagonal element and its mirror.
void Mvsym(Mat3& M, Vec6& v, int direction);
Vec6 PackSymmetric(const Mat3& M);
Mat3 UnpackSymmetric(const Vec6& v);

// The signed cofactor (-1)^(r+c) det(M without row r and column c); with r = 0 or c = 0 the
// determinant of M. Single precision, permutation expansion.
float Mxcof(const Mat3& M, int r, int c);

// The inverse by adjugate over determinant: Ainv(i,j) = Mxcof(A, j, i) / det. A zero
// determinant is an internal error: the program stops with "Sub Minv - Zero determinant of
// matrix" (only rotations, whose determinant is 1, reach this routine).
void Minv(const Mat3& A, Mat3& Ainv, float& det);

// The rotation by b degrees about the horizontal unit axis of azimuth a degrees.
Mat3 RotHoriz(float a, float b);

// The right-handed rotation by phi degrees about the unit axis u:
// R = cos phi I + sin phi [u]x + (1 - cos phi) u u^T, single precision.
Mat3 RotAxis(const Vec3& u, float phi);

// B receives A column by column; with `flag` set a column whose last (Down) element is negative
// is reversed, so that axes point into the lower hemisphere. A zero last element leaves the
// column as it is. A and B may be the same object.
template<typename T, int N, int M>
void OrientDown(const Matrix<T, N, M>& A, Matrix<T, N, M>& B, bool flag)
{
    for (int j = 1; j <= M; ++j) {
        const bool reverse = flag && A(N, j) < 0;
        for (int i = 1; i <= N; ++i)
            B(i, j) = reverse ? -A(i, j) : A(i, j);
    }
}

// The unit vector (cos I cos D, cos I sin D, sin I) of a direction, rounded to float.
Vec3 DirToVec(float D, float I);
Vec3 DirToVec(const Direction& d);

// The direction of a vector of any length: D in [0, 360) (0 along +x, 90 along +y; 0 for a
// vertical vector), I in [-90, 90].
Direction VecToDir(const Vec3& v);

// Angle routines in radians.
// ArcTan2(y, x): the angle of (x, y) in (-pi, pi]; sign(y) pi/2 when x = 0 (0 for y = 0 too).
double ArcTan2(double y, double x);
// ArcSin and ArcCos clamp arguments that rounding put just outside [-1, 1].
double ArcSin(double x);
double ArcCos(double x);
// The arc sine of the net read-out: pi/2 for exactly 1, 3 pi/2 for exactly -1 (used as an angle
// modulo 2 pi), otherwise atan(x / sqrt|1 - x^2|).
double ArcSinNet(double x);
double Log10(double x);

// Plane (dip direction d, dip i) to its downward pole, and a pole back to its plane.
Direction PlaneToPole(float d, float i);

// A direction with negative inclination is reversed (D - 180 into [0, 360), -I).
Direction ToLowerHemisphere(const Direction& d);

} // namespace tesmor::math
