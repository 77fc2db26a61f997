#pragma once

// The confidence region drawn round the mean axes and summarised in the statistics panel: the
// Tenvar ellipses of the group statistics, the Hext ellipses or the bootstrap ellipses.

#include "math/bootstrap.h"
#include "math/confidence_regions.h"
#include "model/specimen_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tesmor::app {

enum class ConfidenceRegion : std::int16_t { Tenvar = 1, Hext = 2, Bootstrap = 3 };

// The entries of the region selector, in the order of the enumeration.
inline constexpr std::array<const char*, 3> ConfidenceRegionNames = {"Tenvar", "Hext", "Bootstrap"};

// The window computes the bootstrap while it waits. The simple bootstrap of the largest set takes
// about a third of a second, so every set is offered; a larger count or the parametric run
// (which would need a progress display) are left to the batch tool.
inline constexpr int WindowBootstrapMostRecords = 32767;

// The statistics of the chosen region besides the group statistics (which hold Tenvar's).
struct RegionStatistics
{
    ConfidenceRegion Region = ConfidenceRegion::Tenvar;
    math::HextStatistics Hext;
    math::BootstrapStatistics Bootstrap;
    bool BootstrapTooLarge = false; // more records than WindowBootstrapMostRecords
};

// The statistics of `region` for `records`; the bootstrap takes DefaultBootstrapCount
// pseudo-samples from `seed` (not above `mostRecords` records).
void ComputeRegion(const std::vector<model::SpecimenRecord>& records, math::Projection projection,
                   ConfidenceRegion region, std::uint64_t seed, int threads, int mostRecords,
                   RegionStatistics& out);

// The curves of the chosen region's three ellipses; nothing for Tenvar (the group statistics
// hold them) and for undefined ellipses.
std::array<std::span<const math::NetPoint>, 3> RegionCurves(const RegionStatistics& s);

// The panel's block for Hext and bootstrap: their figures, N and, for the bootstrap, the count
// and seed. Empty for Tenvar.
std::string RegionSummary(const RegionStatistics& s);

} // namespace tesmor::app
