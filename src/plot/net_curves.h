#pragma once

// Curves on the net: the confidence ellipse about a mean direction, and the great circle of a
// plane. Both leave the lower hemisphere and are cut at the primitive circle rather than joined
// across the net.

#include "math/frames.h"
#include "plot/canvas.h"
#include "plot/net_projection.h"

#include <span>

namespace tesmor::plot {

// An ellipse curve given as projected net points, drawn solid in `colour` and `width`. Where
// two neighbouring points lie more than one net radius apart the curve has jumped to the far
// side of the net: the polyline is cut there and a new one begins.
void DrawConfidenceEllipse(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> curve,
                           int width, Colour colour);

// The lower-hemisphere half of the great circle of the plane dipping `dip` degrees towards
// `dipDirection`, as one polyline of 181 points 1 degree apart, from one end of the strike line
// on the primitive through the dip line to the other end. Dip 0 (the primitive circle itself)
// draws nothing; a negative dip draws the upper half as seen from below.
void DrawGreatCircle(Canvas& canvas, const NetFrame& frame, math::Projection projection,
                     float dipDirection, float dip, PenStyle style, Colour colour, int width);

} // namespace tesmor::plot
