#include "math/group_statistics.h"

#include "math/parallel.h"
#include "math/principal_axes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tesmor::math {

namespace {

// Km and the anisotropy parameters of one record, from its own tensor.
struct RecordValues
{
    std::array<float, 7> v {}; // Km, L, F, P, Pj, T, U
};

// The six components of a record's tensor in file order (RecordComponents).
using Components = std::array<float, 6>;

// The principal values of the record's tensor as it stands are known when the tensor was solved
// as it stands now: solving it again would give the same bits.
const std::array<float, 3>* knownValues(const model::SpecimenRecord& r, const Components& tensor)
{
    const bool known
        = r.Solved && std::memcmp(tensor.data(), r.SolvedTensor.data(), sizeof tensor) == 0;
    return known ? &r.SolvedValues : nullptr;
}

RecordValues valuesOf(const model::SpecimenRecord& r, const std::array<float, 3>& k)
{
    const AnisotropyParams p = AnisotropyParameters(k[0], k[1], k[2]);
    return RecordValues {{r.Km, p.L, p.F, p.P, p.Pj, p.T, p.U}};
}

// The averages and deviations of the records. `tensors` gets each record's components, so that
// the passes over them after this one read a compact array instead of the records.
void averagesAndDeviations(const std::vector<model::SpecimenRecord>& records,
                           std::vector<Components>& tensors, GroupStatistics& s, int threads)
{
    // The per-record values are computed once (a second computation would give the same
    // numbers). A record whose known principal values are its own has its own parameters;
    // the others are computed, on several threads when there are many. The sums below run in
    // record order.
    // (The name of a thread_local object means another object on each thread: the helpers are
    // given this thread's through a reference.)
    thread_local std::vector<RecordValues> keptValues;
    thread_local std::vector<std::size_t> keptPending;
    std::vector<RecordValues>& values = keptValues;
    std::vector<std::size_t>& pending = keptPending;
    values.resize(records.size());
    tensors.resize(records.size());
    pending.clear();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const model::SpecimenRecord& r = records[i];
        tensors[i] = RecordComponents(r);
        const std::array<float, 3>* known = knownValues(r, tensors[i]);
        if (known && *known == std::array {r.K1, r.K2, r.K3})
            values[i] = RecordValues {{r.Km, r.L, r.F, r.P, r.Pj, r.T, r.U}};
        else
            pending.push_back(i);
    }
    ParallelChunks(pending.size(), threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            const model::SpecimenRecord& r = records[pending[k]];
            const std::array<float, 3>* known = knownValues(r, tensors[pending[k]]);
            values[pending[k]] = valuesOf(r, known ? *known : EigenJacobiValues(RecordTensor(r)));
        }
    });

    const float n = static_cast<float>(records.size());
    std::array<float, 7> sum {};
    for (const RecordValues& rv : values)
        for (std::size_t i = 0; i < 7; ++i)
            sum[i] += rv.v[i];
    std::array<float, 7> average {};
    for (std::size_t i = 0; i < 7; ++i)
        average[i] = sum[i] / n;

    std::array<float, 7> squares {};
    for (const RecordValues& rv : values) {
        for (std::size_t i = 0; i < 7; ++i) {
            const float d = rv.v[i] - average[i];
            squares[i] += d * d;
        }
    }
    const float factor = 1 / (n - 1);
    std::array<float, 7> sd {};
    for (std::size_t i = 0; i < 7; ++i)
        sd[i] = std::sqrt(squares[i] * factor);

    s.Kaver = average[0];
    s.Laver = average[1];
    s.Faver = average[2];
    s.Paver = average[3];
    s.Pjaver = average[4];
    s.Taver = average[5];
    s.Uaver = average[6];
    s.Ksd = sd[0];
    s.Lsd = sd[1];
    s.Fsd = sd[2];
    s.Psd = sd[3];
    s.Pjsd = sd[4];
    s.Tsd = sd[5];
    s.Usd = sd[6];
}

// Covariance of the six tensor components, divisor N - 1, accumulated in double about the mean
// (two passes), so that a tight group keeps its small variances and identical records give 0.
Mat6d componentCovariance(const std::vector<Components>& tensors)
{
    const double n = static_cast<double>(tensors.size());
    Vec6d mean;
    for (const Components& c : tensors)
        for (int i = 1; i <= 6; ++i)
            mean(i) += c[static_cast<std::size_t>(i - 1)];
    for (int i = 1; i <= 6; ++i)
        mean(i) /= n;
    Mat6d V;
    for (const Components& c : tensors) {
        Vec6d d;
        for (int i = 1; i <= 6; ++i)
            d(i) = c[static_cast<std::size_t>(i - 1)] - mean(i);
        for (int i = 1; i <= 6; ++i)
            for (int j = i; j <= 6; ++j)
                V(i, j) += d(i) * d(j);
    }
    for (int i = 1; i <= 6; ++i) {
        for (int j = i; j <= 6; ++j) {
            V(i, j) /= n - 1;
            V(j, i) = V(i, j);
        }
    }
    return V;
}

// G maps the six components of a tensor to the six components of the same tensor in the frame
// of the columns of E: rows (p,q) = 11 22 33 12 23 31, columns (a,b) likewise.
Mat6d principalFrameMap(const Mat3& E)
{
    constexpr int pairs[6][2] = {{1, 1}, {2, 2}, {3, 3}, {1, 2}, {2, 3}, {3, 1}};
    Mat6d G;
    for (int r = 1; r <= 6; ++r) {
        const int p = pairs[r - 1][0];
        const int q = pairs[r - 1][1];
        for (int s = 1; s <= 6; ++s) {
            const int a = pairs[s - 1][0];
            const int b = pairs[s - 1][1];
            if (s <= 3)
                G(r, s) = double(E(s, p)) * double(E(s, q));
            else
                G(r, s) = double(E(a, p)) * double(E(b, q)) + double(E(b, p)) * double(E(a, q));
        }
    }
    return G;
}

// Position of the off-diagonal component (i,j) in the six-vector: 12 -> 4, 23 -> 5, 31 -> 6.
int offDiagonalPosition(int i, int j)
{
    const int lo = std::min(i, j);
    const int hi = std::max(i, j);
    if (lo == 1 && hi == 2)
        return 4;
    if (lo == 2 && hi == 3)
        return 5;
    return 6;
}

// The vector with component i = 1 and components j, k = (u, w) in the principal frame, taken to
// the data frame by E.
Vec3d fromPrincipalFrame(const Mat3& E, int i, double u, double w)
{
    const int j = i % 3 + 1;
    const int k = j % 3 + 1;
    Vec3d p;
    p(i) = 1;
    p(j) = u;
    p(k) = w;
    Vec3d y;
    for (int r = 1; r <= 3; ++r)
        y(r) = double(E(r, 1)) * p(1) + double(E(r, 2)) * p(2) + double(E(r, 3)) * p(3);
    return y;
}

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

struct AxisConfidence
{
    bool defined = false;
    double a = 0, b = 0, a95 = 0, b95 = 0;
};

void setSemiAngles(GroupStatistics& s, int axis, const AxisConfidence& c)
{
    float* fields[3][4] = {{&s.C1a, &s.C1b, &s.C1a95, &s.C1b95},
                           {&s.C2a, &s.C2b, &s.C2a95, &s.C2b95},
                           {&s.C3a, &s.C3b, &s.C3a95, &s.C3b95}};
    const double values[4] = {c.a, c.b, c.a95, c.b95};
    for (int f = 0; f < 4; ++f)
        *fields[axis][f] = c.defined ? static_cast<float>(values[f]) : 0.0f;
}

// The ellipse of the tangent-plane matrix W of one axis, when W is invertible (positive
// definite): points with component i = 1 and (rho cos phi, rho sin phi) in the j, k components.
void ellipseCurve(const Mat2d& W, const Mat3& E, int i, Projection projection,
                  std::vector<NetPoint>& curve)
{
    const double h = (W(1, 2) + W(2, 1)) / 2;
    const double det = W(1, 1) * W(2, 2) - h * h;
    curve.clear();
    if (!(det > 0) || !(W(1, 1) > 0))
        return;
    const float a = static_cast<float>(W(2, 2) / det);
    const float b = static_cast<float>(W(1, 1) / det);
    const float hInv = static_cast<float>(-h / det);
    if (!allFinite({a, b, hInv}))
        return;
    curve.resize(EllipseCurvePoints);
    for (int t = 0; t < EllipseCurvePoints; ++t) {
        const double phi = 0.1 * t / DegPerRad;
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        const double Q = a * c * c + b * s * s + 2 * hInv * c * s;
        const double rho = Q > 0 ? 1 / std::sqrt(Q) : 0.0001;
        curve[static_cast<std::size_t>(t)]
            = ProjectVector(fromPrincipalFrame(E, i, rho * c, rho * s), projection);
    }
}

void tenvar(const std::vector<Components>& tensors, Projection projection, GroupStatistics& s)
{
    const int n = static_cast<int>(tensors.size());

    // Mean tensor, accumulated element by element in single precision.
    Mat3 M;
    for (const Components& c : tensors) {
        const std::array<float, 9> T {c[0], c[3], c[5], c[3], c[1], c[4], c[5], c[4], c[2]};
        for (std::size_t k = 0; k < 9; ++k)
            M.e[k] += T[k];
    }
    for (float& m : M.e)
        m /= static_cast<float>(n);
    s.M = M;

    const Mat6d V = componentCovariance(tensors);

    Mat3 D;
    Mat3 E;
    EigenJacobi(M, D, E);
    OrientDown(E, E, true);
    const std::array<Direction, 3> dirs = EigenvectorsToDirections(E);
    const std::array<double, 3> lambda {D(1, 1), D(2, 2), D(3, 3)};
    s.K1 = D(1, 1);
    s.K2 = D(2, 2);
    s.K3 = D(3, 3);
    s.K1d = dirs[0].Dec;
    s.K1i = dirs[0].Inc;
    s.K2d = dirs[1].Dec;
    s.K2i = dirs[1].Inc;
    s.K3d = dirs[2].Dec;
    s.K3i = dirs[2].Inc;
    s.AxisPoint = ProjectAxisEqualArea(dirs);
    const AnisotropyParams p = AnisotropyParameters(s.K1, s.K2, s.K3);
    s.Lmean = p.L;
    s.Fmean = p.F;
    s.Pmean = p.P;
    s.Pjmean = p.Pj;
    s.Tmean = p.T;
    s.Umean = p.U;

    const Mat6d Vp = MxabatD(principalFrameMap(E), V);
    const double F = FQuantile2(n - 2);
    const double scale = std::sqrt(2.0 * (n - 1) * F / (double(n) * (n - 2)));

    for (int i = 1; i <= 3; ++i) {
        const int j = i % 3 + 1;
        const int k = j % 3 + 1;
        const auto axis = static_cast<std::size_t>(i - 1);
        const double dij = lambda[axis] - lambda[static_cast<std::size_t>(j - 1)];
        const double dik = lambda[axis] - lambda[static_cast<std::size_t>(k - 1)];
        const int ij = offDiagonalPosition(i, j);
        const int ik = offDiagonalPosition(i, k);

        AxisConfidence c;
        Mat2d W;
        Mat2d d;
        Mat2d e;
        // Equal principal values leave the axis without a defined confidence region.
        if (dij != 0 && dik != 0) {
            W(1, 1) = Vp(ij, ij) / (dij * dij);
            W(2, 2) = Vp(ik, ik) / (dik * dik);
            W(1, 2) = W(2, 1) = Vp(ij, ik) / (dik * dij);
            EigenJacobiD(W, d, e);
            const double d1 = d(1, 1);
            const double d2 = d(2, 2);
            // A zero covariance (identical records) or a negative d1 has no confidence region.
            if (d1 > 0 && allFinite({W(1, 1), W(2, 2), W(1, 2), d1, d2})) {
                c.defined = true;
                c.a = std::atan(std::sqrt(d1)) * DegPerRad;
                c.a95 = std::atan(scale * std::sqrt(d1)) * DegPerRad;
                if (d2 > 0) {
                    c.b = std::atan(std::sqrt(d2)) * DegPerRad;
                    c.b95 = std::atan(scale * std::sqrt(d2)) * DegPerRad;
                }
            }
        }
        setSemiAngles(s, i - 1, c);
        s.SemiAnglesDefined[axis] = c.defined;
        s.EllipseCurve[axis].clear();
        s.CurveDefined[axis] = false;
        if (!c.defined)
            continue;

        const double ra = scale * std::sqrt(d(1, 1));
        const double rb = d(2, 2) > 0 ? scale * std::sqrt(d(2, 2)) : 0.0;
        auto& points = s.EllipseAxisPoints[axis];
        points[0] = ProjectVector(fromPrincipalFrame(E, i, ra * e(1, 1), ra * e(2, 1)), projection);
        points[1]
            = ProjectVector(fromPrincipalFrame(E, i, -ra * e(1, 1), -ra * e(2, 1)), projection);
        points[2] = ProjectVector(fromPrincipalFrame(E, i, rb * e(1, 2), rb * e(2, 2)), projection);
        points[3]
            = ProjectVector(fromPrincipalFrame(E, i, -rb * e(1, 2), -rb * e(2, 2)), projection);

        ellipseCurve(W, E, i, projection, s.EllipseCurve[axis]);
        s.CurveDefined[axis] = !s.EllipseCurve[axis].empty();
    }
}

} // namespace

void ComputeGroupStatistics(const std::vector<model::SpecimenRecord>& records,
                            Projection projection, GroupStatistics& out, int threads)
{
    // Every field starts from 0; the curves keep their memory for the next run.
    std::array<std::vector<NetPoint>, 3> curves = std::move(out.EllipseCurve);
    out = GroupStatistics {};
    for (std::size_t i = 0; i < 3; ++i) {
        curves[i].clear();
        out.EllipseCurve[i] = std::move(curves[i]);
    }

    out.N = static_cast<std::int16_t>(std::min<std::size_t>(records.size(), 32767));
    if (records.size() < MinRecordsForAverages)
        return;
    thread_local std::vector<Components> kept;
    std::vector<Components>& tensors = kept;
    averagesAndDeviations(records, tensors, out, threads);
    if (records.size() < MinRecordsForTenvar)
        return;
    out.Tenvar = true;
    tenvar(tensors, projection, out);
}

GroupStatistics ComputeGroupStatistics(const std::vector<model::SpecimenRecord>& records,
                                       Projection projection, int threads)
{
    GroupStatistics s;
    ComputeGroupStatistics(records, projection, s, threads);
    return s;
}

double FQuantile2(int nu)
{
    static constexpr double table[20]
        = {199.5,  19.0,   9.5521, 6.9443, 5.7861, 5.1433, 4.7374, 4.4590, 4.2565, 4.1028,
           3.9823, 3.8853, 3.8056, 3.7389, 3.6823, 3.6337, 3.5915, 3.5546, 3.5219, 3.4928};
    if (nu < 1)
        nu = 1;
    if (nu <= 20)
        return table[nu - 1];
    const double v = nu;
    if (nu <= 100)
        return 2.9666752 * std::pow(23.4644267, 1 / v) * std::pow(v, 0.0018174498);
    return 2.9950561 * std::pow(20.487532, 1 / v) * std::pow(v, 0.000029227943);
}

NetPoint ProjectVector(const Vec3d& v, Projection projection)
{
    const double r = std::sqrt(v(1) * v(1) + v(2) * v(2) + v(3) * v(3));
    if (!(r > 0) || !std::isfinite(r))
        return NetPoint {};
    double x = v(1) / r;
    double y = v(2) / r;
    double z = v(3) / r;
    if (z < 0) {
        x = -x;
        y = -y;
        z = -z;
    }
    const double D = ArcTan2(y, x);
    double rho = 0;
    if (projection == Projection::EqualAngle) {
        const double I = ArcSin(z) * DegPerRad;
        rho = std::tan((90 - std::fabs(I)) / 2 / DegPerRad);
    } else {
        rho = std::sqrt(std::max(0.0, 1 - z));
    }
    return NetPoint {static_cast<float>(std::sin(D) * rho), static_cast<float>(std::cos(D) * rho)};
}

std::array<NetPoint, 3> ProjectAxisEqualArea(const std::array<Direction, 3>& dirs)
{
    std::array<NetPoint, 3> points;
    for (std::size_t i = 0; i < 3; ++i) {
        const double dec = dirs[i].Dec / DegPerRad;
        const double inc = dirs[i].Inc / DegPerRad;
        const double rho = std::sqrt(std::max(0.0, 1 - std::sin(inc)));
        points[i] = NetPoint {static_cast<float>(std::sin(dec) * rho),
                              static_cast<float>(std::cos(dec) * rho)};
    }
    return points;
}

} // namespace tesmor::math
