#include "bench_data.h"

#include "formats/ams_binary.h"
#include "math/random.h"
#include "model/specimen_record.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <unistd.h>

namespace tesmor::bench {
namespace {

using Vec = std::array<double, 3>;

constexpr double Deg = std::numbers::pi / 180.0;

// The generated site's draws, from the same platform-independent stream as the bootstrap.
class Random : public math::SplitMix64
{
public:
    using SplitMix64::SplitMix64;
    using SplitMix64::Uniform;
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

    // Standard normal by the Box-Muller transform.
    double Normal()
    {
        const double u1 = 1.0 - Uniform(); // (0, 1]
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }
};

double Dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec Cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec Normalised(const Vec& v)
{
    const double n = std::sqrt(Dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

// Unit vector of a direction (declination, inclination in degrees); x North, y East, z Down.
Vec DirToVec(double dec, double inc)
{
    return {std::cos(inc * Deg) * std::cos(dec * Deg), std::cos(inc * Deg) * std::sin(dec * Deg),
            std::sin(inc * Deg)};
}

// Declination in [0, 360) and inclination of a vector brought to the lower hemisphere.
void VecToDir(Vec v, double& dec, double& inc)
{
    if (v[2] < 0) {
        v = {-v[0], -v[1], -v[2]};
    }
    v = Normalised(v);
    dec = std::atan2(v[1], v[0]) / Deg;
    if (dec < 0) {
        dec += 360.0;
    }
    inc = std::asin(std::min(1.0, v[2])) / Deg;
}

// Rodrigues rotation of v about the unit axis a by `angle` degrees.
Vec Rotate(const Vec& v, const Vec& a, double angle)
{
    const double c = std::cos(angle * Deg);
    const double s = std::sin(angle * Deg);
    const Vec axv = Cross(a, v);
    const double adv = Dot(a, v) * (1 - c);
    return {v[0] * c + axv[0] * s + a[0] * adv, v[1] * c + axv[1] * s + a[1] * adv,
            v[2] * c + axv[2] * s + a[2] * adv};
}

// v turned by a small random rotation: a uniformly random axis, an angle of about `sigma` degrees.
Vec Scatter(const Vec& v, double sigma, Random& random)
{
    const Vec axis = Normalised({random.Normal(), random.Normal(), random.Normal() + 1e-12});
    return Rotate(v, axis, sigma * random.Normal());
}

// A plane (dip direction, dip) from its downward pole.
void PlaneOfPole(const Vec& pole, double& dd, double& dip)
{
    double dec = 0;
    double inc = 0;
    VecToDir(pole, dec, inc);
    dd = std::fmod(dec + 180.0, 360.0);
    dip = 90.0 - inc;
}

// A line within the plane (dd, dip) at `pitch` degrees from the strike towards the dip.
Vec LineInPlane(double dd, double dip, double pitch)
{
    const Vec strike = DirToVec(dd - 90.0, 0.0);
    const Vec down = DirToVec(dd, dip);
    const double c = std::cos(pitch * Deg);
    const double s = std::sin(pitch * Deg);
    return {c * strike[0] + s * down[0], c * strike[1] + s * down[1], c * strike[2] + s * down[2]};
}

// Whole degrees in [0, 360) as a binary file stores them.
float WholeAzimuth(double a)
{
    double r = std::nearbyint(std::fmod(std::fmod(a, 360.0) + 360.0, 360.0));
    return static_cast<float>(r >= 360.0 ? r - 360.0 : r);
}

struct Group
{
    double MeanDd;
    double MeanDip;
    double PlaneScatter;
    double MeanPitch;
    double PitchScatter;
};

// One geological group (plane and line) scattered about its mean; returns the plane's pole and
// the line as vectors for the fabric.
void MakeGroup(const Group& g, Random& random, float& fDec, float& fInc, float& fStrike,
               float& lDec, float& lInc, Vec& pole, Vec& line)
{
    pole = Scatter(DirToVec(g.MeanDd + 180.0, 90.0 - g.MeanDip), g.PlaneScatter, random);
    double dd = 0;
    double dip = 0;
    PlaneOfPole(pole, dd, dip);
    line = LineInPlane(dd, dip, g.MeanPitch + g.PitchScatter * random.Normal());
    double dec = 0;
    double inc = 0;
    VecToDir(line, dec, inc);
    fDec = WholeAzimuth(dd);
    fInc = static_cast<float>(std::nearbyint(dip));
    fStrike = model::StrikeOfDipDirection(fDec);
    lDec = WholeAzimuth(dec);
    lInc = static_cast<float>(std::nearbyint(inc));
}

// The normalised tensor R diag(k) R^T whose principal axes are the columns e1, e2, e3.
void SetTensor(model::SpecimenRecord& r, const Vec& e1, const Vec& e2, const Vec& e3, const Vec& k)
{
    const std::array<Vec, 3> e = {e1, e2, e3};
    auto t = [&](int i, int j) {
        return static_cast<float>(k[0] * e[0][i] * e[0][j] + k[1] * e[1][i] * e[1][j]
                                  + k[2] * e[2][i] * e[2][j]);
    };
    r.K11 = t(0, 0);
    r.K22 = t(1, 1);
    r.K33 = t(2, 2);
    r.K12 = t(0, 1);
    r.K23 = t(1, 2);
    r.K13 = t(0, 2);
}

// Principal values with the degree of anisotropy P and shape T, mean 1.
Vec PrincipalValues(double P, double T)
{
    const double lnP = std::log(P);
    const double e1 = lnP;
    const double e3 = 0.0;
    const double e2 = e3 + (T + 1.0) / 2.0 * lnP;
    const Vec k = {std::exp(e1), std::exp(e2), std::exp(e3)};
    const double mean = (k[0] + k[1] + k[2]) / 3.0;
    return {k[0] / mean, k[1] / mean, k[2] / mean};
}

void SetHeader(model::SpecimenRecord& r, const SyntheticSite& site)
{
    r.Site = site.Site;
    r.Lat = site.Lat;
    r.Lon = site.Lon;
    r.Rock = site.Rock;
    r.Strat = site.Strat;
    r.Litho = site.Litho;
    r.Region = site.Region;
    r.P1 = site.P1;
    r.P2 = site.P2;
    r.P3 = site.P3;
    r.P4 = site.P4;
}

std::string SpecimenName(const SyntheticSite& site, int i)
{
    const int digits = site.Count / 2 + 1 >= 10000 ? 5 : site.Count / 2 + 1 >= 100 ? 3 : 2;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*d%c", site.NamePrefix.c_str(), digits, i / 2 + 1,
                  'A' + i % 2);
    return buffer;
}

} // namespace

model::Records MakeSyntheticRecords(const SyntheticSite& site)
{
    constexpr Group Bedding = {135.0, 25.0, 6.0, 20.0, 15.0};
    constexpr Group Cleavage = {300.0, 70.0, 5.0, 60.0, 8.0};
    Random random(site.Seed);
    model::Records records(static_cast<std::size_t>(site.Count));
    for (int i = 0; i < site.Count; ++i) {
        model::SpecimenRecord& r = records[static_cast<std::size_t>(i)];
        SetHeader(r, site);
        r.Name = SpecimenName(site, i);
        Vec beddingPole, beddingLine, cleavagePole, cleavageLine;
        MakeGroup(Bedding, random, r.F1Dec, r.F1Inc, r.F1Strike, r.L1Dec, r.L1Inc, beddingPole,
                  beddingLine);
        MakeGroup(Cleavage, random, r.F2Dec, r.F2Inc, r.F2Strike, r.L2Dec, r.L2Inc, cleavagePole,
                  cleavageLine);
        r.Code1 = "BL";
        r.Code2 = random.Uniform() < 0.9 ? "SK" : "00";
        if (r.Code2 == "00") {
            r.F2Dec = r.F2Inc = r.F2Strike = r.L2Dec = r.L2Inc = 0;
        }
        r.Code1A = r.Code1[0];
        r.Code1B = r.Code1[1];
        r.Code2A = r.Code2[0];
        r.Code2B = r.Code2[1];

        // Magnetic fabric: K3 near the cleavage pole, K1 near the cleavage lineation.
        const Vec e3 = Normalised(Scatter(cleavagePole, 8.0, random));
        Vec e1 = Scatter(cleavageLine, 12.0, random);
        const double along = Dot(e1, e3);
        e1 = Normalised({e1[0] - along * e3[0], e1[1] - along * e3[1], e1[2] - along * e3[2]});
        const Vec e2 = Cross(e3, e1);
        const double P = random.Uniform(1.02, 1.2);
        const double T = random.Uniform(-0.8, 0.9);
        SetTensor(r, e1, e2, e3, PrincipalValues(P, T));

        r.NormFactor = static_cast<float>(site.MeanKm * std::exp(0.25 * random.Normal()));
        r.FieldCode = 1300.0f; // QSM bridge, frequency F1, field 300 A/m
        formats::DeriveInstrument(r, r.FieldCode, r.NormFactor, false);
        r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
        r.Index = static_cast<std::int16_t>(i + 1);
    }
    return records;
}

model::Records MakeBenchRecords()
{
    return MakeSyntheticRecords(SyntheticSite {});
}

void WriteRecordsFile(const std::string& path, const model::Records& records)
{
    const model::Status status = formats::WriteAmsBinaryFile(path, records, false);
    if (status) {
        std::fprintf(stderr, "%s\n", status->text.c_str());
        std::abort();
    }
}

const std::string& BenchDataFile()
{
    struct TemporaryFile
    {
        std::string path;
        bool keep = false;
        TemporaryFile()
        {
            const char* named = std::getenv("TESMOR_BENCH_DATA_FILE");
            keep = named && *named;
            path = keep ? std::string(named)
                        : (std::filesystem::temp_directory_path()
                           / ("tesmor_bench_" + std::to_string(::getpid()) + ".ran"))
                              .string();
            WriteRecordsFile(path, MakeBenchRecords());
        }
        ~TemporaryFile()
        {
            std::error_code ignored;
            if (!keep)
                std::filesystem::remove(path, ignored);
        }
    };
    static const TemporaryFile file;
    return file.path;
}

} // namespace tesmor::bench
