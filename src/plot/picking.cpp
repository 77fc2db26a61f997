#include "plot/picking.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tesmor::plot {

namespace {

std::string Fixed(const char* prefix, double value, int decimals, const char* suffix = "")
{
    // Independent of the locale: the point is always the decimal separator.
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return {};
    return prefix + std::string(buffer, result.ptr) + suffix;
}

bool Drawable(double lo, double hi)
{
    return std::isfinite(lo) && std::isfinite(hi) && hi > lo;
}

// The value of an axis at a pixel, the pixels p1 and p2 standing for lo and hi: the straight
// line through the two pairs, written so that both ends come back exactly.
double AxisValue(double pixel, double p1, double p2, double lo, double hi)
{
    if (!Drawable(lo, hi))
        return lo;
    const double t = (pixel - p1) / (p2 - p1);
    return lo * (1 - t) + hi * t;
}

} // namespace

PickRectangle OrderedRectangle(WorldPoint a, WorldPoint b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

WorldPoint NetFromCanvas(const NetFrame& frame, WorldPoint pixel)
{
    // The inverse of NetFrame::toCanvas; the centre comes back as exactly (0, 0).
    const double half = frame.diameter / 2;
    return {(pixel.x - frame.cx) / half, (frame.cy - pixel.y) / half};
}

Direction DirectionAt(math::Projection projection, WorldPoint net)
{
    const double r = std::hypot(net.x, net.y);
    if (r == 0)
        return {0, 90};
    double dec = std::asin(std::clamp(net.x / r, -1.0, 1.0)) * math::DegPerRad;
    if (net.y < 0)
        dec = 180 - dec;
    if (dec < 0)
        dec += 360;
    else if (dec >= 360)
        dec -= 360;
    const double inc = projection == math::Projection::EqualAngle
        ? 90 - 2 * std::atan(r) * math::DegPerRad
        : std::asin(1 - r * r) * math::DegPerRad;
    return {dec, inc};
}

ReadOut NetReadOut(math::Projection projection, const NetFrame& frame, WorldPoint pixel)
{
    const Direction d = DirectionAt(projection, NetFromCanvas(frame, pixel));
    if (!(d.inc >= 0))
        return {};
    return {Fixed("D= ", d.dec, 1), Fixed("I= ", d.inc, 1)};
}

WorldPoint PlotFromCanvas(const PlotStyle& style, const PlotData& data, WorldPoint pixel)
{
    return {AxisValue(pixel.x, style.left, style.left + style.width, data.xMin, data.xMax),
            AxisValue(pixel.y, style.bottom, style.bottom - style.height, data.yMin, data.yMax)};
}

ReadOut PlotReadOut(int plot, int kind, const PlotStyle& style, const PlotData& data,
                    WorldPoint pixel)
{
    if (!Drawable(data.xMin, data.xMax) || !Drawable(data.yMin, data.yMax))
        return {};
    const WorldPoint v = PlotFromCanvas(style, data, pixel);
    if (!PickRectangle {data.xMin, data.yMin, data.xMax, data.yMax}.Contains(v.x, v.y))
        return {};
    if (plot == 1) {
        switch (kind) {
        case plotkind::PKm:
        case plotkind::PjKm:
            return {Fixed("Km= ", v.x * 1e6, 1, "E-06"),
                    Fixed(kind == plotkind::PKm ? "P= " : "Pj= ", v.y, 3)};
        case plotkind::PLogKm:
            return {Fixed("Log Km= ", v.x, 3), Fixed("P= ", v.y, 3)};
        case plotkind::HKm:
            return {Fixed("H= ", v.x, 0), Fixed("K / Kmin= ", v.y, 3)};
        default:
            return {};
        }
    }
    switch (kind) {
    case plotkind::PT:
    case plotkind::PjT:
        return {Fixed(kind == plotkind::PT ? "P= " : "Pj= ", v.x, 3), Fixed("T= ", v.y, 3)};
    case plotkind::LF: // the vertical value first
        return {Fixed("L= ", v.y, 3), Fixed("F= ", v.x, 3)};
    case plotkind::PU:
        return {Fixed("P= ", v.x, 3), Fixed("U= ", v.y, 3)};
    default:
        return {};
    }
}

std::array<bool, 3> CountedAxes(Modifiers m, std::array<bool, 3> shown)
{
    const int held = int {m.shift} + int {m.ctrl} + int {m.alt};
    if (held == 0)
        return shown;
    if (held > 1)
        return {false, false, false};
    const std::size_t only = m.ctrl ? 0 : m.alt ? 1 : 2;
    std::array<bool, 3> counted {false, false, false};
    counted[only] = shown[only];
    return counted;
}

std::vector<bool> NetSelection(std::span<const model::SpecimenRecord> records,
                               math::Projection projection, std::array<bool, 3> counted,
                               const PickRectangle& net)
{
    std::vector<bool> selected(records.size(), false);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const model::SpecimenRecord& r = records[i];
        const std::array<std::pair<float, float>, 3> axes {
            {{r.K1dec, r.K1inc}, {r.K2dec, r.K2inc}, {r.K3dec, r.K3inc}}};
        for (std::size_t k = 0; k < 3 && !selected[i]; ++k) {
            if (!counted[k])
                continue;
            const NetPoint p = ProjectDirection(projection, axes[k].first, axes[k].second);
            selected[i] = net.Contains(p.x, p.y);
        }
    }
    return selected;
}

std::vector<bool> PlotSelection(const PlotData& data, const PickRectangle& values)
{
    std::vector<bool> selected(std::min(data.x.size(), data.y.size()), false);
    for (std::size_t i = 0; i < selected.size(); ++i)
        selected[i] = values.Contains(data.x[i], data.y[i]);
    return selected;
}

} // namespace tesmor::plot
