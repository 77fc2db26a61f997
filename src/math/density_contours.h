#pragma once

// Density contours of principal axes on the net by the Kamb method: the axes are counted in a
// spherical cap round each node of a square grid over the net, the cap chosen so that a uniform
// distribution puts three standard deviations' worth of axes in it (cos theta = 1 - 9/(N + 9)),
// and the counts are expressed in standard deviations above the uniform expectation. Axes are
// lines: an axis counts at a node when it or its opposite lies in the cap.

#include "math/frames.h"
#include "math/group_statistics.h"

#include <span>
#include <vector>

namespace tesmor::math {

// Nodes per side of the counting grid: 60 cells across the net.
inline constexpr int DensityGridNodes = 61;

// The density at the nodes of a square grid over [-1, 1] x [-1, 1] in net coordinates, row by row
// from the south-west corner (node (i, j) at x = -1 + i h, y = -1 + j h, h = 2 / (nodes - 1)), in
// standard deviations above the expected count. Nodes well outside the primitive circle hold the
// value of an empty cap.
struct DensityGrid
{
    int nodes = DensityGridNodes;
    std::vector<float> sigma;
    float peak = 0; // the largest value inside the primitive circle
};

// Kamb densities of `axes` (declination and inclination in degrees; either sign) for the net's
// projection. The counting runs on up to `threads` threads; the result does not depend on it.
DensityGrid KambDensity(std::span<const Direction> axes, Projection projection, int threads,
                        int nodes = DensityGridNodes);

// The lines where the density equals `level`, by marching squares; a closed line repeats its
// first point at its end. Points may lie slightly outside the primitive circle.
std::vector<std::vector<NetPoint>> ContourLines(const DensityGrid& grid, double level);

// The contour lines at 2, 4, 6 ... standard deviations, up to the grid's peak.
std::vector<std::vector<NetPoint>> DensityContours(std::span<const Direction> axes,
                                                   Projection projection, int threads);

} // namespace tesmor::math
