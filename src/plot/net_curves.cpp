#include "plot/net_curves.h"

#include "math/matrix.h"

#include <array>
#include <cmath>
#include <vector>

namespace tesmor::plot {

namespace {

Point ToCanvas(const NetFrame& frame, double x, double y)
{
    const WorldPoint p = frame.toCanvas(x, y);
    return ToPixel(p.x, p.y);
}

} // namespace

void DrawConfidenceEllipse(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> curve,
                           int width, Colour colour)
{
    if (curve.empty())
        return;
    const Pen pen {PenStyle::Solid, colour, width};
    std::vector<Point> line;
    line.reserve(curve.size());
    NetPoint previous = curve[0];
    line.push_back(ToCanvas(frame, previous.x, previous.y));
    for (std::size_t i = 1; i < curve.size(); ++i) {
        const NetPoint p = curve[i];
        const double dx = static_cast<double>(p.x) - previous.x;
        const double dy = static_cast<double>(p.y) - previous.y;
        if (std::sqrt(dx * dx + dy * dy) > 1.0) {
            if (line.size() > 1)
                canvas.polyline(line, pen);
            line.clear();
        }
        line.push_back(ToCanvas(frame, p.x, p.y));
        previous = p;
    }
    if (line.size() > 1)
        canvas.polyline(line, pen);
}

void DrawGreatCircle(Canvas& canvas, const NetFrame& frame, math::Projection projection,
                     float dipDirection, float dip, PenStyle style, Colour colour, int width)
{
    if (dip == 0 || !std::isfinite(dip) || !std::isfinite(dipDirection))
        return;
    float strike = dipDirection + 270.0f;
    if (strike >= 360.0f)
        strike -= 360.0f;
    // Turns the horizontal line of azimuth dipDirection down to plunge `dip`.
    const math::Mat3 R = math::RotHoriz(strike, dip);

    std::array<math::Direction, 361> points; // index 1..360: azimuth k degrees before the tilt
    for (int k = 1; k <= 360; ++k) {
        const double a = k * math::RadPerDeg;
        const math::Vec3 v {{static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a)), 0}};
        points[static_cast<std::size_t>(k)] = math::VecToDir(math::Mvmpy(R, v));
    }

    // The half that is drawn: the lower one for a positive dip, the upper one for a negative.
    // The two strike points lie on the primitive; rounding may tilt them a hair upwards, which
    // must not cut them off.
    constexpr float OnPrimitive = 1.0e-3f; // degrees
    const auto drawn = [&](int k) {
        const float inc = points[static_cast<std::size_t>(k)].Inc;
        return dip > 0 ? inc >= -OnPrimitive : inc <= OnPrimitive;
    };
    // The walk starts where the drawn half begins, so that the half is met as one unbroken run
    // (a start on a point exactly on the primitive would otherwise join both ends by a chord).
    int start = 1;
    for (int k = 1; k <= 360; ++k) {
        const int previous = k == 1 ? 360 : k - 1;
        if (drawn(k) && !drawn(previous)) {
            start = k;
            break;
        }
    }

    std::vector<Point> line;
    line.reserve(360);
    for (int step = 0; step < 360; ++step) {
        const int k = (start - 1 + step) % 360 + 1;
        if (!drawn(k))
            continue;
        const math::Direction& d = points[static_cast<std::size_t>(k)];
        const NetPoint p = ProjectDirection(projection, d.Dec, d.Inc);
        line.push_back(ToCanvas(frame, p.x, p.y));
    }
    if (line.size() > 1)
        canvas.polyline(line, Pen {style, colour, width});
}

} // namespace tesmor::plot
