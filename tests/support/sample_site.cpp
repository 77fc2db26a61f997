#include "sample_site.h"

#include "model/specimen_record.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <tuple>

namespace tesmor::test {
namespace {

using Vec = std::array<double, 3>; // x North, y East, z Down

constexpr double Deg = 3.14159265358979 / 180.0;

// SplitMix64, the same on every platform; Uniform() in [-1, 1).
struct Random
{
    std::uint64_t state;
    double Uniform()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-52 - 1.0;
    }
};

Vec Direction(double dec, double inc)
{
    return {std::cos(inc * Deg) * std::cos(dec * Deg), std::cos(inc * Deg) * std::sin(dec * Deg),
            std::sin(inc * Deg)};
}

Vec Cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float Whole(double degrees)
{
    const double a = std::nearbyint(std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0));
    return static_cast<float>(a >= 360.0 ? a - 360.0 : a);
}

} // namespace

model::Records MakeSampleRecords(int count)
{
    Random random {42};
    model::Records records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        model::SpecimenRecord& r = records[static_cast<std::size_t>(i)];
        r.Site = "SAMPLE";
        r.P1 = 12;
        r.P3 = 12;
        char name[16];
        std::snprintf(name, sizeof name, "SP%05d", i + 1);
        r.Name = name;

        // Bedding dipping about 25 towards 135, cleavage about 70 towards 300.
        r.F1Dec = Whole(135 + 8 * random.Uniform());
        r.F1Inc = Whole(25 + 5 * random.Uniform());
        r.F1Strike = model::StrikeOfDipDirection(r.F1Dec);
        r.L1Dec = Whole(r.F1Dec - 70 + 10 * random.Uniform());
        r.L1Inc = Whole(8 + 4 * random.Uniform());
        const bool cleaved = i % 10 != 9;
        r.Code1 = "BL";
        r.Code2 = cleaved ? "SK" : "00";
        if (cleaved) {
            r.F2Dec = Whole(300 + 6 * random.Uniform());
            r.F2Inc = Whole(70 + 5 * random.Uniform());
            r.F2Strike = model::StrikeOfDipDirection(r.F2Dec);
            r.L2Dec = Whole(r.F2Dec - 40 + 10 * random.Uniform());
            r.L2Inc = Whole(50 + 8 * random.Uniform());
        }
        r.Code1A = r.Code1[0];
        r.Code1B = r.Code1[1];
        r.Code2A = r.Code2[0];
        r.Code2B = r.Code2[1];

        // K3 near the cleavage pole (120 / 20), K1 across it, both scattered by some degrees.
        const Vec e3 = Direction(120 + 10 * random.Uniform(), 20 + 8 * random.Uniform());
        const Vec guess = Direction(30 + 15 * random.Uniform(), 60 + 10 * random.Uniform());
        Vec e2 = Cross(e3, guess);
        const double n = std::sqrt(e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2]);
        e2 = {e2[0] / n, e2[1] / n, e2[2] / n};
        const Vec e1 = Cross(e2, e3);
        const double lnP = std::log(1.11 + 0.09 * random.Uniform());
        const double shape = 0.05 + 0.85 * random.Uniform(); // T
        const double k[3] = {lnP, (shape + 1) / 2 * lnP, 0};
        const double mean = (std::exp(k[0]) + std::exp(k[1]) + std::exp(k[2])) / 3;
        const std::array<Vec, 3> e = {e1, e2, e3};
        const auto t = [&](int a, int b) {
            double sum = 0;
            for (int j = 0; j < 3; ++j)
                sum += std::exp(k[j]) / mean * e[std::size_t(j)][std::size_t(a)]
                    * e[std::size_t(j)][std::size_t(b)];
            return static_cast<float>(sum);
        };
        std::tie(r.K11, r.K22, r.K33, r.K12, r.K23, r.K13)
            = std::tuple {t(0, 0), t(1, 1), t(2, 2), t(0, 1), t(1, 2), t(0, 2)};

        r.NormFactor = static_cast<float>(250 * std::exp(0.3 * random.Uniform()));
        r.FieldCode = 1300.0f; // QSM bridge, frequency F1, field 300 A/m
        r.Field = 300;
        r.Freq = "F1";
        r.Instrument = "QSM";
        r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
        r.Index = static_cast<std::int16_t>(i + 1);
    }
    return records;
}

} // namespace tesmor::test
