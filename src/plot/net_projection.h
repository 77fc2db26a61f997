#pragma once

// The projection of lower-hemisphere directions onto the net, and the linear mapping of world
// coordinates (net units, plot values) to canvas pixels.
//
// Net coordinates: the primitive circle has radius 1, x points East (declination 90), y North
// (declination 0). Canvas coordinates: pixels, y downwards.

#include "math/frames.h"
#include "math/group_statistics.h"

namespace tesmor::plot {

using math::NetPoint;

struct WorldPoint
{
    double x = 0;
    double y = 0;
};

// The net point of a direction (degrees). Equal-angle: r = tan((90 - |I|)/2); equal-area:
// r = sqrt(1 - sin |I|); x = r sin D, y = r cos D. A negative inclination is plotted like its
// positive counterpart at the same declination.
NetPoint ProjectDirection(math::Projection projection, float dec, float inc);

// Maps each axis independently by the straight line through (w1 -> c1) and (w2 -> c2).
WorldPoint MapLinear(WorldPoint p, WorldPoint w1, WorldPoint w2, WorldPoint c1, WorldPoint c2);

// The net's mapping: (0, 0) -> (cx, cy) and (1, 1) -> (cx + D/2, cy - D/2).
struct NetFrame
{
    double cx = 200;
    double cy = 200;
    double diameter = 340;

    // MapLinear with the two pairs above, written out.
    WorldPoint toCanvas(double x, double y) const
    {
        return {cx + x * (diameter / 2), cy - y * (diameter / 2)};
    }
};

} // namespace tesmor::plot
