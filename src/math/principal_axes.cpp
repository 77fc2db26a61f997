#include "math/principal_axes.h"

#include "math/parallel.h"
#include "model/codepage.h"

#include <cmath>

namespace tesmor::math {

namespace {

// No symmetric 3x3 input needs more than a dozen or so sweeps; the cap only guarantees that a
// pathological input cannot keep the iteration going for ever.
constexpr int MaxJacobiSweeps = 500;

// One step of the cyclic Jacobi method on the pair (l, m): when |W(l,m)| exceeds the threshold,
// the plane rotation that annihilates W(l,m) is applied to W and accumulated into R. T is the
// storage precision: every new element is rounded to T; intermediates are formed in double.
// The indices are template arguments so that W and R stay in registers. Without `vectors` the
// rotations are not accumulated (W, and so the eigenvalues, are the same either way).
template<typename T, int n, int l, int m, bool vectors>
bool rotatePair(Matrix<T, n, n>& W, Matrix<T, n, n>& R, double threshold)
{
    if (!(std::fabs(double(W(l, m))) > threshold))
        return false;
    const double h = W(l, m);
    const double x = (double(W(l, l)) - double(W(m, m))) / 2;
    const double y = x != 0 ? -(x > 0 ? 1.0 : -1.0) * h / std::sqrt(x * x + h * h) : -1.0;
    const double s = y / std::sqrt(2 * (1 + std::sqrt(std::fabs(1 - y * y))));
    const double c = static_cast<T>(std::sqrt(std::fabs(1 - s * s)));
    for (int k = 1; k <= n; ++k) {
        if (k == l || k == m)
            continue;
        const double a = W(k, l);
        const double b = W(k, m);
        W(k, m) = W(m, k) = static_cast<T>(c * b + s * a);
        W(k, l) = W(l, k) = static_cast<T>(c * a - s * b);
    }
    if constexpr (vectors) {
        for (int k = 1; k <= n; ++k) {
            const double a = R(k, l);
            const double b = R(k, m);
            R(k, m) = static_cast<T>(c * b + s * a);
            R(k, l) = static_cast<T>(c * a - s * b);
        }
    }
    const double a = W(l, l);
    const double b = W(m, m);
    W(l, l) = static_cast<T>(c * c * a + s * s * b - 2 * s * c * h);
    W(m, m) = static_cast<T>(s * s * a + c * c * b + 2 * s * c * h);
    W(l, m) = W(m, l) = static_cast<T>((a - b) * s * c + h * (c * c - s * s));
    return true;
}

// One sweep over the pairs in the order (1,2), (1,3), (2,3); true when a rotation was made.
template<typename T, int n, bool vectors>
bool sweepPairs(Matrix<T, n, n>& W, Matrix<T, n, n>& R, double threshold)
{
    static_assert(n == 2 || n == 3);
    bool rotated = rotatePair<T, n, 1, 2, vectors>(W, R, threshold);
    if constexpr (n == 3) {
        rotated = rotatePair<T, n, 1, 3, vectors>(W, R, threshold) || rotated;
        rotated = rotatePair<T, n, 2, 3, vectors>(W, R, threshold) || rotated;
    }
    return rotated;
}

// Cyclic Jacobi with a decreasing threshold. Returns D (eigenvalues descending) and V
// (eigenvectors as columns, in the same order).
template<typename T, int n, bool vectors = true>
void jacobi(const Matrix<T, n, n>& A, Matrix<T, n, n>& D, Matrix<T, n, n>& V, double epsFactor)
{
    Matrix<T, n, n> W = A;
    Matrix<T, n, n> R = Matrix<T, n, n>::Identity();

    double offDiagonal = 0; // twice the sum of squares below the diagonal
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            offDiagonal += 2.0 * double(W(i, j)) * double(W(i, j));
    const double q = offDiagonal / (n * n - n);
    double trace = 0;
    double squares = 0;
    for (int i = 1; i <= n; ++i) {
        trace += W(i, i);
        squares += double(W(i, i)) * double(W(i, i));
    }
    const double spread = static_cast<T>((squares - trace * trace / n) / n);
    const double epsilon = epsFactor * std::sqrt(std::fabs((q + spread) / 2));
    double threshold = std::sqrt(q);

    for (int sweep = 0; sweep < MaxJacobiSweeps; ++sweep) {
        const bool rotated = sweepPairs<T, n, vectors>(W, R, threshold);
        if (rotated)
            continue;
        if (threshold <= epsilon)
            break;
        // A sweep without rotation leaves W as it is, so the sweeps that would only lower the
        // threshold by the factor n are skipped: lower it until an element exceeds it or it
        // reaches the final threshold, with the same outcome as sweeping at every step.
        double largest = 0;
        for (int m = 2; m <= n; ++m)
            for (int l = 1; l < m; ++l)
                if (std::fabs(double(W(l, m))) > largest)
                    largest = std::fabs(double(W(l, m)));
        do {
            threshold /= n;
        } while (threshold > epsilon && !(largest > threshold));
        if (!(largest > threshold))
            break;
    }

    // Descending order by bubble passes; equal values keep their order.
    std::array<T, n> value {};
    std::array<int, n> position {};
    for (int i = 0; i < n; ++i) {
        value[static_cast<std::size_t>(i)] = W(i + 1, i + 1);
        position[static_cast<std::size_t>(i)] = i + 1;
    }
    for (int pass = 2; pass <= n; ++pass) {
        bool swapped = false;
        for (int i = 0; i <= n - pass; ++i) {
            const auto a = static_cast<std::size_t>(i);
            if (value[a] < value[a + 1]) {
                std::swap(value[a], value[a + 1]);
                std::swap(position[a], position[a + 1]);
                swapped = true;
            }
        }
        if (!swapped)
            break;
    }

    D = Matrix<T, n, n> {};
    for (int j = 1; j <= n; ++j) {
        D(j, j) = value[static_cast<std::size_t>(j - 1)];
        for (int k = 1; k <= n; ++k)
            V(k, j) = R(k, position[static_cast<std::size_t>(j - 1)]);
    }
}

} // namespace

void EigenJacobi(const Mat3& A, Mat3& D, Mat3& V)
{
    jacobi<float, 3>(A, D, V, 1e-11);
}

std::array<float, 3> EigenJacobiValues(const Mat3& A)
{
    Mat3 D;
    Mat3 V;
    jacobi<float, 3, false>(A, D, V, 1e-11);
    return {D(1, 1), D(2, 2), D(3, 3)};
}

void EigenJacobiD(const Mat2d& A, Mat2d& D, Mat2d& V)
{
    jacobi<double, 2>(A, D, V, 1e-12);
    OrientDown(V, V, true);
}

void EigenJacobiD(const Mat3d& A, Mat3d& D, Mat3d& V)
{
    jacobi<double, 3>(A, D, V, 1e-12);
    OrientDown(V, V, true);
}

std::array<Direction, 3> EigenvectorsToDirections(const Mat3& V)
{
    std::array<Direction, 3> dirs;
    for (int j = 1; j <= 3; ++j) {
        Vec3 v;
        for (int i = 1; i <= 3; ++i)
            v(i) = V(i, j);
        dirs[static_cast<std::size_t>(j - 1)] = VecToDir(v);
    }
    return dirs;
}

AnisotropyParams AnisotropyParameters(float K1, float K2, float K3)
{
    // All principal values negative (diamagnetic): work with the magnitudes in reversed order.
    const bool negative = K3 <= 0 && K1 < 0;
    const float k1 = negative ? -K3 : K1;
    const float k2 = negative ? -K2 : K2;
    const float k3 = negative ? -K1 : K3;

    float e1 = 0;
    float e2 = 0;
    float e3 = 0;
    // The logarithms of the ratios, ln(a / b) = log1p((a - b) / b) in double: the difference of
    // two floats is exact there, so nearly equal values (a nearly isotropic specimen) keep their
    // digits instead of cancelling in a difference of two rounded logarithms.
    double ln13 = 0; // ln(k1 / k3)
    double ln21 = 0; // ln(k2 / k1)
    double ln23 = 0; // ln(k2 / k3)
    if (k3 > 0) {
        e1 = static_cast<float>(std::log(k1));
        e2 = static_cast<float>(std::log(k2));
        e3 = static_cast<float>(std::log(k3));
        const auto lnRatio = [](double a, double b) { return std::log1p((a - b) / b); };
        ln13 = lnRatio(k1, k3);
        ln21 = lnRatio(k2, k1);
        ln23 = lnRatio(k2, k3);
    }
    const float em = (e2 + e1 + e3) / 3;

    AnisotropyParams p;
    p.L = k2 != 0 ? k1 / k2 : 0;
    p.F = k3 != 0 ? k2 / k3 : 0;
    p.P = k3 != 0 ? k1 / k3 : 0;
    if (static_cast<float>(ln13) != 0) {
        const float d1 = e1 - em;
        const float d2 = e2 - em;
        const float d3 = e3 - em;
        // A nearly isotropic tensor can make the rounded sum fall below the tiny constant: the
        // root then is of 0, not of a negative number.
        const float arg = 2 * (d2 * d2 + d1 * d1 + d3 * d3 - 1e-20f);
        p.Pj = static_cast<float>(std::exp(std::sqrt(arg > 0 ? double(arg) : 0.0)));
        // T = (2 ln k2 - ln k1 - ln k3) / (ln k1 - ln k3).
        p.T = static_cast<float>((ln21 + ln23) / ln13);
    }
    p.U = K1 != K3 ? static_cast<float>((2.0 * K2 - K1 - K3) / (static_cast<double>(K1) - K3)) : 0;
    return p;
}

namespace {

// The folded angle between the axis (D, I) and the axis whose unit vector, rounded to float, is b.
float axisAngleToVector(float D, float I, const Vec3& b)
{
    const Vec3 a = DirToVec(D, I);
    const float d = a(1) * b(1) + a(2) * b(2) + a(3) * b(3);
    const float theta = static_cast<float>(ArcCos(d) * DegPerRad);
    return theta < 90 ? theta : 180 - theta;
}

} // namespace

float AxisAngleToPole(float D, float I, float Dp, float Ip)
{
    return axisAngleToVector(D, I, DirToVec(Dp, Ip));
}

PrincipalAxes ComputePrincipalAxes(const Mat3& T)
{
    Mat3 D;
    Mat3 V;
    EigenJacobi(T, D, V);
    OrientDown(V, V, true);
    PrincipalAxes axes;
    axes.Axis = EigenvectorsToDirections(V);
    for (int i = 0; i < 3; ++i)
        axes.Value[static_cast<std::size_t>(i)] = D(i + 1, i + 1);
    return axes;
}

Mat3 RecordTensor(const model::SpecimenRecord& r)
{
    Mat3 M;
    M(1, 1) = r.K11;
    M(2, 2) = r.K22;
    M(3, 3) = r.K33;
    M(1, 2) = M(2, 1) = r.K12;
    M(2, 3) = M(3, 2) = r.K23;
    M(1, 3) = M(3, 1) = r.K13;
    return M;
}

std::array<float, 6> RecordComponents(const model::SpecimenRecord& r)
{
    return {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
}

void SetPrincipalAxes(model::SpecimenRecord& r, const PrincipalAxes& axes, bool solvedAsStored)
{
    r.K1dec = axes.Axis[0].Dec;
    r.K1inc = axes.Axis[0].Inc;
    r.K2dec = axes.Axis[1].Dec;
    r.K2inc = axes.Axis[1].Inc;
    r.K3dec = axes.Axis[2].Dec;
    r.K3inc = axes.Axis[2].Inc;
    r.Solved = solvedAsStored;
    r.SolvedTensor = RecordComponents(r);
    r.SolvedValues = axes.Value;
}

void SetRecordTensor(model::SpecimenRecord& r, const Mat3& T)
{
    r.K11 = T(1, 1);
    r.K22 = T(2, 2);
    r.K33 = T(3, 3);
    r.K12 = T(1, 2);
    r.K23 = T(2, 3);
    r.K13 = T(1, 3);
}

namespace {

// The type letter of a group code: its Windows-1252 byte, as the data files hold it.
char codeLetter(const std::string& code, std::size_t i)
{
    return model::Cp1252Letter(code, i, ' ');
}

// The derived fields of the record at 0-based position n.
void deriveRecord(model::SpecimenRecord& r, std::size_t n)
{
    const PrincipalAxes axes = ComputePrincipalAxes(RecordTensor(r));

    r.Code1A = codeLetter(r.Code1, 0);
    r.Code1B = codeLetter(r.Code1, 1);
    r.Code2A = codeLetter(r.Code2, 0);
    r.Code2B = codeLetter(r.Code2, 1);

    r.K1 = axes.Value[0];
    r.K2 = axes.Value[1];
    r.K3 = axes.Value[2];
    const AnisotropyParams p = AnisotropyParameters(r.K1, r.K2, r.K3);
    r.L = p.L;
    r.F = p.F;
    r.P = p.P;
    r.Pj = p.Pj;
    r.T = p.T;
    r.U = p.U;

    r.Index = static_cast<std::int16_t>(n + 1);
    SetPrincipalAxes(r, axes, true);

    // Pole of plane 1; a record without a plane (0, 0) gets the angles to the vertical.
    float poleDec = r.F1Dec + 180;
    if (poleDec >= 360)
        poleDec -= 360;
    const float poleInc = 90 - r.F1Inc;
    const Vec3 pole = DirToVec(poleDec, poleInc);
    r.AxisPoleAngle1 = axisAngleToVector(axes.Axis[0].Dec, axes.Axis[0].Inc, pole);
    r.AxisPoleAngle2 = axisAngleToVector(axes.Axis[1].Dec, axes.Axis[1].Inc, pole);
    r.AxisPoleAngle3 = axisAngleToVector(axes.Axis[2].Dec, axes.Axis[2].Inc, pole);
}

} // namespace

void ComputeRecordDerived(std::vector<model::SpecimenRecord>& records, int threads)
{
    ParallelChunks(records.size(), threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t n = begin; n < end; ++n)
            deriveRecord(records[n], n);
    });
}

} // namespace tesmor::math
