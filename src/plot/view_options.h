#pragma once

// What the pictures are drawn from besides the records and statistics: the options of the main
// window, as plain values that the browser fills from its state.

#include "math/frames.h"
#include "math/group_statistics.h"
#include "model/display_options.h"
#include "model/specimen_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tesmor::plot {

enum class ColourScheme : std::int16_t {
    Default = 1,
    BlackAndWhite = 2,
};

// Kinds of the first plot: 1 P-Km, 2 Pj-Km, 3 P-LogKm, 4 H-Km; of the second plot: 1 P-T,
// 2 Pj-T, 3 L-F, 4 P-U.
namespace plotkind {
inline constexpr int PKm = 1, PjKm = 2, PLogKm = 3, HKm = 4;
inline constexpr int PT = 1, PjT = 2, LF = 3, PU = 4;
} // namespace plotkind

using DisplayOptions = model::DisplayOptions;

// Values outside their named ranges are kept and drawn without that choice (no title word, no
// plot), as the browser holds them as read from its settings.
struct ViewOptions
{
    math::CoordinateSystem coordinateSystem = math::CoordinateSystem::Geographic;
    math::Projection projection = math::Projection::EqualArea;
    int plot1Kind = plotkind::PKm;
    int plot2Kind = plotkind::PT;
    ColourScheme colourScheme = ColourScheme::Default;
    int symbolSize = 10; // pixels on the screen
    DisplayOptions display;
    std::vector<char> foliationTypes; // distinct plane letters, ascending
    std::vector<char> lineationTypes; // distinct line letters, ascending
    // Confidence ellipses of another region than Tenvar, drawn instead of the Tenvar ones when
    // regionChosen (an empty curve draws nothing).
    bool regionChosen = false;
    std::array<std::span<const math::NetPoint>, 3> regionCurves {};
};

// Everything the three views show.
struct ViewData
{
    std::span<const model::SpecimenRecord> records; // the active records, in order
    const math::GroupStatistics* statistics = nullptr; // of those records; null: none
    ViewOptions options;
};

} // namespace tesmor::plot
