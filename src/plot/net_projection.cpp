#include "plot/net_projection.h"

#include <cmath>

namespace tesmor::plot {

NetPoint ProjectDirection(math::Projection projection, float dec, float inc)
{
    const double absInc = std::fabs(static_cast<double>(inc));
    double r = 0;
    double decRad = 0;
    if (projection == math::Projection::EqualAngle) {
        r = std::tan((90.0 - absInc) / 2.0 / math::DegPerRad);
        decRad = dec / math::DegPerRad;
    } else {
        r = std::sqrt(std::fmax(0.0, 1.0 - std::sin(absInc * math::RadPerDeg)));
        decRad = dec * math::RadPerDeg;
    }
    return {static_cast<float>(r * std::sin(decRad)), static_cast<float>(r * std::cos(decRad))};
}

WorldPoint MapLinear(WorldPoint p, WorldPoint w1, WorldPoint w2, WorldPoint c1, WorldPoint c2)
{
    const double px
        = (w2.x * c1.x - c2.x * w1.x) / (w2.x - w1.x) + (c2.x - c1.x) / (w2.x - w1.x) * p.x;
    const double py
        = (w2.y * c1.y - c2.y * w1.y) / (w2.y - w1.y) + (c2.y - c1.y) / (w2.y - w1.y) * p.y;
    return {px, py};
}

} // namespace tesmor::plot
