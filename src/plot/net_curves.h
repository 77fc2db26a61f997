#pragma once

// Curves on the net: the confidence ellipse about a mean direction, and the great circle of a
// plane. Both leave the lower hemisphere and are cut at the primitive circle rather than joined
// across the net.

#include "math/frames.h"
#include "plot/canvas.h"
#include "plot/net_projection.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace tesmor::plot {

// An ellipse curve given as projected net points, drawn solid in `colour` and `width`. Where
// two neighbouring points lie more than one net radius apart the curve has jumped to the far
// side of the net: the polyline is cut there and a new one begins.
void DrawConfidenceEllipse(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> curve,
                           int width, Colour colour);

// A contour line (net coordinates, possibly reaching beyond the primitive circle), drawn as a
// thin line and cut where it leaves the circle.
void DrawContourLine(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> line,
                     Colour colour);

// The lower-hemisphere half of the great circle of the plane dipping `dip` degrees towards
// `dipDirection`, as one polyline of 181 points 1 degree apart, from one end of the strike line
// on the primitive through the dip line to the other end. Dip 0 (the primitive circle itself)
// draws nothing; a negative dip draws the upper half as seen from below.
void DrawGreatCircle(Canvas& canvas, const NetFrame& frame, math::Projection projection,
                     float dipDirection, float dip, PenStyle style, Colour colour, int width);

// The canvas points of the great circles of one net, kept for its next drawing: a change of
// colour, symbol size or of the other things shown draws the same circles again, and tens of
// thousands of planes take most of the time of a net. The circles are asked for in drawing
// order; each one is looked up at its position and recomputed only when its plane, the frame
// or the projection differ from the last drawing. A recording keeps the cache's point array
// rather than a copy: points already handed out are never changed, and a drawing that must
// recompute circles while an earlier recording still holds the array starts a new one.
class GreatCircleCache
{
public:
    // Starts a drawing of the net in `frame` and `projection`.
    void Begin(const NetFrame& frame, math::Projection projection);
    // DrawGreatCircle through the cache.
    void Draw(Canvas& canvas, float dipDirection, float dip, PenStyle style, Colour colour,
              int width);
    // Number of circles computed afresh since the last Begin.
    std::size_t Computed() const { return m_computed; }

private:
    struct Plane
    {
        float dipDirection;
        float dip;
    };
    NetFrame m_frame;
    math::Projection m_projection = math::Projection::EqualArea;
    std::vector<Plane> m_planes;
    std::shared_ptr<std::vector<Point>> m_points = std::make_shared<std::vector<Point>>();
    bool m_heldElsewhere = false; // m_points is kept by a recording of an earlier drawing
    std::size_t m_next = 0;
    std::size_t m_computed = 0;
};

} // namespace tesmor::plot
