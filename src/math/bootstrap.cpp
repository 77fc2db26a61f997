#include "math/bootstrap.h"

#include "math/parallel.h"
#include "math/principal_axes.h"
#include "math/random.h"

#include <cmath>

namespace tesmor::math {

namespace {

// The bootstrap's draws: uniform indices and normal deviates from a SplitMix64 stream.
class Random : public SplitMix64
{
public:
    using SplitMix64::SplitMix64;

    std::size_t Index(std::size_t n)
    {
        return std::min(n - 1, static_cast<std::size_t>(Uniform() * static_cast<double>(n)));
    }

    // Standard normal (Box-Muller, both values used).
    double Normal()
    {
        if (spare_) {
            spare_ = false;
            return next_;
        }
        const double u = 1 - Uniform(); // (0, 1]
        const double phi = 2 * Pi * Uniform();
        const double r = std::sqrt(-2 * std::log(u));
        next_ = r * std::sin(phi);
        spare_ = true;
        return r * std::cos(phi);
    }

private:
    double next_ = 0;
    bool spare_ = false;
};

std::uint64_t sampleSeed(std::uint64_t seed, std::size_t index)
{
    Random mix(seed ^ (0xd1b54a32d192ed03ULL * (static_cast<std::uint64_t>(index) + 1)));
    return mix.Next();
}

using Components = std::array<double, 6>; // k11 k22 k33 k12 k23 k13

Components components(const model::SpecimenRecord& r)
{
    return {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
}

Mat3d tensor(const Components& c)
{
    Mat3d M;
    M(1, 1) = c[0];
    M(2, 2) = c[1];
    M(3, 3) = c[2];
    M(1, 2) = M(2, 1) = c[3];
    M(2, 3) = M(3, 2) = c[4];
    M(1, 3) = M(3, 1) = c[5];
    return M;
}

// The unit eigenvectors of the three axes of one pseudo-sample.
using SampleAxes = std::array<Vec3d, 3>;

Vec3d column(const Mat3d& V, int j)
{
    return Vec3d {{V(1, j), V(2, j), V(3, j)}};
}

double dot(const Vec3d& a, const Vec3d& b)
{
    return a(1) * b(1) + a(2) * b(2) + a(3) * b(3);
}

// The Kent ellipse of the axes `v` (sign-less), turned towards `reference` first: the frame of
// their orientation matrix's eigenvectors, the semi-angles from the spread along the second and
// third, 95% for the distribution of the bootstrapped axes themselves.
void kentEllipse(const std::vector<SampleAxes>& samples, std::size_t axis, const Vec3d& reference,
                 Projection projection, BootstrapAxis& out, AxisEllipse& ellipse)
{
    Mat3d T;
    for (const SampleAxes& s : samples) {
        const Vec3d& v = s[axis];
        const double sign = dot(v, reference) < 0 ? -1 : 1;
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j)
                T(i, j) += sign * v(i) * sign * v(j);
    }
    const double n = static_cast<double>(samples.size());
    for (double& t : T.e)
        t /= n;
    Mat3d D;
    Mat3d E;
    EigenJacobiD(T, D, E);
    const Vec3d centre = column(E, 1);
    double mu = 0;
    for (const SampleAxes& s : samples)
        mu += std::fabs(dot(s[axis], centre));
    mu /= n;
    const double g = -2 * std::log(0.05) / (mu * mu);
    const auto semiAngle = [&](double spread) {
        const double s = std::sqrt(std::max(0.0, spread) * g);
        return s >= 1 ? 90.0 : std::asin(s) * DegPerRad;
    };
    const double eta = semiAngle(D(2, 2));
    const double zeta = semiAngle(D(3, 3));
    ellipse = ConeEllipse(centre, column(E, 2), eta, column(E, 3), zeta, projection);
    out.eta = ellipse.Major;
    out.EtaDir = ellipse.MajorDir;
    out.zeta = ellipse.Minor;
    out.ZetaDir = ellipse.MinorDir;
}

} // namespace

bool AllHaveStandardErrors(const std::vector<model::SpecimenRecord>& records)
{
    for (const model::SpecimenRecord& r : records)
        if (!(r.Sigma > 0) || !std::isfinite(r.Sigma))
            return false;
    return true;
}

BootstrapStatistics ComputeBootstrap(const std::vector<model::SpecimenRecord>& records,
                                     Projection projection, const BootstrapOptions& options)
{
    BootstrapStatistics result;
    result.N = static_cast<int>(records.size());
    result.Count = std::max(1, options.Count);
    result.Parametric = options.Parametric;
    result.Seed = options.Seed;
    if (result.N < MinRecordsForBootstrap
        || (options.Parametric && !AllHaveStandardErrors(records)))
        return result;

    const std::size_t n = records.size();
    std::vector<Components> data(n);
    std::vector<double> variances(options.Parametric ? n : 0);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = components(records[i]);
    for (std::size_t i = 0; i < variances.size(); ++i)
        variances[i] = double(records[i].Sigma) * records[i].Sigma;

    // The axes of the group's mean tensor: the bootstrapped axes are turned towards them.
    Components sum {};
    for (const Components& c : data)
        for (std::size_t j = 0; j < 6; ++j)
            sum[j] += c[j];
    Mat3d D;
    Mat3d E;
    EigenJacobiD(tensor(sum), D, E);

    // Each pseudo-sample is computed where its first draw would fall in a list of every draw,
    // so that ParallelChunks shares out the work, not the count of pseudo-samples.
    const auto count = static_cast<std::size_t>(result.Count);
    std::vector<SampleAxes> samples(count);
    std::atomic<bool> stopped = false;
    ParallelChunks(count * n, options.Threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t b = (begin + n - 1) / n; b < count && b * n < end; ++b) {
            if (options.Cancel && options.Cancel->load(std::memory_order_relaxed)) {
                stopped = true;
                return;
            }
            Random random(sampleSeed(options.Seed, b));
            Components mean {};
            double variance = 0;
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t pick = random.Index(n);
                const Components& c = data[pick];
                for (std::size_t j = 0; j < 6; ++j)
                    mean[j] += c[j];
                if (options.Parametric)
                    variance += variances[pick];
            }
            // The perturbations of the drawn specimens are independent normal deviates: their
            // sum in each element is one normal deviate with the summed variance.
            if (options.Parametric) {
                const double spread = std::sqrt(variance);
                for (double& m : mean)
                    m += spread * random.Normal();
            }
            Mat3d Db;
            Mat3d Eb;
            EigenJacobiD(tensor(mean), Db, Eb);
            for (int j = 1; j <= 3; ++j)
                samples[b][static_cast<std::size_t>(j - 1)] = column(Eb, j);
            if (options.Done)
                options.Done->fetch_add(1, std::memory_order_relaxed);
        }
    });
    if (stopped) {
        result.Cancelled = true;
        return result;
    }
    for (std::size_t a = 0; a < 3; ++a)
        kentEllipse(samples, a, column(E, static_cast<int>(a) + 1), projection, result.Axis[a],
                    result.Ellipse[a]);
    result.Defined = true;
    return result;
}

} // namespace tesmor::math
