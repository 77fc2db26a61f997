#pragma once

// Picking on the pictures: positions under the mouse turned back into directions and values,
// their read-out texts, and the records a rubber-band rectangle selects.
//
// Positions are in the pixels of the recorded picture, the frames those it was recorded with.

#include "model/specimen_record.h"
#include "plot/net_projection.h"
#include "plot/parameter_plot.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace tesmor::plot {

// The keyboard modifiers held when the mouse button is released.
struct Modifiers
{
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The two read-out texts of a picture; both empty where the position means nothing.
struct ReadOut
{
    std::string first;
    std::string second;
};

// A rectangle with ordered bounds; its edges belong to it.
struct PickRectangle
{
    double xLo = 0;
    double yLo = 0;
    double xHi = 0;
    double yHi = 0;

    bool Contains(double x, double y) const { return x >= xLo && x <= xHi && y >= yLo && y <= yHi; }
};

// The rectangle spanned by the press and release points, in whatever order they came.
PickRectangle OrderedRectangle(WorldPoint a, WorldPoint b);

// Net coordinates (primitive circle radius 1, y north) of a pixel of the net's frame.
WorldPoint NetFromCanvas(const NetFrame& frame, WorldPoint pixel);

struct Direction
{
    double dec = 0; // [0, 360)
    double inc = 90; // negative outside the primitive circle (NaN far outside in equal-area)
};

// The lower-hemisphere direction projected at a net point.
Direction DirectionAt(math::Projection projection, WorldPoint net);

// "D= 123.4" and "I= 56.7" inside the primitive circle, nothing outside it.
ReadOut NetReadOut(math::Projection projection, const NetFrame& frame, WorldPoint pixel);

// The values of the plot at a pixel of its frame. An axis whose range has no width (or is not
// finite) gives its lower bound at every pixel, so that such a plot picks by exact value.
WorldPoint PlotFromCanvas(const PlotStyle& style, const PlotData& data, WorldPoint pixel);

// The read-outs of plot `plot` (1 or 2) of kind `kind` at a pixel: nothing outside the ranges
// or when a range has no width. Km is read in 1e-6 SI; the H-Km plot reads K / Kmin, its
// axis as drawn.
ReadOut PlotReadOut(int plot, int kind, const PlotStyle& style, const PlotData& data,
                    WorldPoint pixel);

// Which principal directions (K1, K2, K3) count for a selection on the net: without modifiers
// those shown; Shift alone K3, Ctrl alone K1, Alt alone K2 (each only if shown); any other
// combination none.
std::array<bool, 3> CountedAxes(Modifiers modifiers, std::array<bool, 3> shown);

// One flag per record: a counted direction, projected, lies in the rectangle (net coordinates).
std::vector<bool> NetSelection(std::span<const model::SpecimenRecord> records,
                               math::Projection projection, std::array<bool, 3> counted,
                               const PickRectangle& net);

// One flag per record of the plot: its value pair lies in the rectangle (plot values).
std::vector<bool> PlotSelection(const PlotData& data, const PickRectangle& values);

} // namespace tesmor::plot
