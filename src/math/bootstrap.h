#pragma once

// Bootstrap confidence ellipses of the principal axes of a group (Constable & Tauxe 1990):
// pseudo-samples of the specimens drawn with replacement (and, for the parametric bootstrap,
// each drawn tensor perturbed element by element with the specimen's standard error), the
// principal axes of each pseudo-sample's mean tensor, and the Kent (1982) 95% ellipse of the
// bootstrapped axes of K1, K2 and K3.

#include "math/confidence_regions.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace tesmor::math {

inline constexpr int MinRecordsForBootstrap = 3;
inline constexpr int DefaultBootstrapCount = 1000;

struct BootstrapOptions
{
    int Count = DefaultBootstrapCount; // pseudo-samples
    bool Parametric = false;
    std::uint64_t Seed = 1;
    int Threads = 1;
    // Set from another thread to stop early; the result is then marked Cancelled.
    const std::atomic<bool>* Cancel = nullptr;
    // Counts the finished pseudo-samples, for a progress display.
    std::atomic<int>* Done = nullptr;
};

// One axis: eta the major and zeta the minor semi-angle (degrees) of the Kent ellipse, each with
// its direction; the ellipse is centred on the mean of the bootstrapped axes.
struct BootstrapAxis
{
    float eta = 0;
    Direction EtaDir;
    float zeta = 0;
    Direction ZetaDir;

    friend bool operator==(const BootstrapAxis&, const BootstrapAxis&) = default;
};

struct BootstrapStatistics
{
    bool Defined = false; // enough records, not cancelled
    bool Cancelled = false;
    int N = 0;
    int Count = 0;
    bool Parametric = false;
    std::uint64_t Seed = 0;
    std::array<BootstrapAxis, 3> Axis {};
    std::array<AxisEllipse, 3> Ellipse;

    friend bool operator==(const BootstrapStatistics&, const BootstrapStatistics&) = default;
};

// Whether every record has a positive, finite standard error (the parametric bootstrap needs it).
bool AllHaveStandardErrors(const std::vector<model::SpecimenRecord>& records);

// The bootstrap of `records`. Pseudo-sample b draws from its own generator seeded from (Seed, b),
// so the numbers depend on the seed alone, not on the number of threads. A parametric run over
// records without standard errors, or fewer than MinRecordsForBootstrap records, leaves the
// result undefined.
BootstrapStatistics ComputeBootstrap(const std::vector<model::SpecimenRecord>& records,
                                     Projection projection, const BootstrapOptions& options);

} // namespace tesmor::math
