#include "plot/net_curves.h"

#include "math/matrix.h"

#include <algorithm>
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

struct UnitCircleTable
{
    std::array<double, 361> cosines {};
    std::array<double, 361> sines {};
};

// cos k and sin k for whole degrees k = 0 .. 360.
const UnitCircleTable& UnitCircle()
{
    static const UnitCircleTable table = [] {
        UnitCircleTable t;
        for (int k = 0; k <= 360; ++k) {
            t.cosines[static_cast<std::size_t>(k)]
                = static_cast<float>(std::cos(k * math::RadPerDeg));
            t.sines[static_cast<std::size_t>(k)]
                = static_cast<float>(std::sin(k * math::RadPerDeg));
        }
        return t;
    }();
    return table;
}

// The net point of a unit vector, as ProjectDirection gives it for the vector's declination and
// inclination, without the angles: with h the horizontal length and |z| = sin |I|,
// equal-angle r = tan(45 - |I|/2) = h / (1 + |z|), equal-area r = sqrt(1 - |z|); x = r sin D =
// r y/h, y = r cos D = r x/h (declination 0 for a vertical vector).
NetPoint ProjectUnitVector(math::Projection projection, const math::Vec3& v)
{
    const double north = v(1);
    const double east = v(2);
    const double down = std::fabs(static_cast<double>(v(3)));
    const double h = std::sqrt(north * north + east * east);
    if (h == 0)
        return {0,
                projection == math::Projection::EqualAngle
                    ? 0.0f
                    : static_cast<float>(std::sqrt(std::fmax(0.0, 1.0 - down)))};
    const double scale = projection == math::Projection::EqualAngle
        ? 1.0 / (1.0 + down)
        : std::sqrt(std::fmax(0.0, 1.0 - down)) / h;
    return {static_cast<float>(east * scale), static_cast<float>(north * scale)};
}

} // namespace

void DrawConfidenceEllipse(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> curve,
                           int width, Colour colour)
{
    const Pen pen {PenStyle::Solid, colour, width};
    std::vector<Point> line;
    line.reserve(curve.size());
    const auto flush = [&] {
        if (line.size() > 1)
            canvas.polyline(line, pen);
        line.clear();
    };
    // Point 0 only starts the walk: the last point of a closed curve repeats it, so a curve of
    // 3601 points is drawn through its 3600 points 1 ... 3600.
    // A flag beside a plain point rather than an optional: GCC 12 with ThreadSanitizer takes the
    // optional's point for uninitialised.
    NetPoint previous;
    bool hasPrevious = !curve.empty() && std::isfinite(curve[0].x) && std::isfinite(curve[0].y);
    if (hasPrevious)
        previous = curve[0];
    for (const NetPoint& p : curve.subspan(std::min<std::size_t>(curve.size(), 1))) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            // An undefined point cuts the curve like a jump across the net.
            flush();
            hasPrevious = false;
            continue;
        }
        if (hasPrevious) {
            const double dx = static_cast<double>(p.x) - previous.x;
            const double dy = static_cast<double>(p.y) - previous.y;
            if (std::sqrt(dx * dx + dy * dy) > 1.0)
                flush();
        }
        line.push_back(ToCanvas(frame, p.x, p.y));
        previous = p;
        hasPrevious = true;
    }
    flush();
}

void DrawContourLine(Canvas& canvas, const NetFrame& frame, std::span<const NetPoint> line,
                     Colour colour)
{
    const Pen pen {PenStyle::Solid, colour, 0};
    std::vector<Point> part;
    const auto flush = [&] {
        if (part.size() > 1)
            canvas.polyline(part, pen);
        part.clear();
    };
    const auto inside = [](double x, double y) { return x * x + y * y <= 1; };
    for (std::size_t k = 0; k < line.size(); ++k) {
        const double x = line[k].x;
        const double y = line[k].y;
        if (k > 0) {
            const double x0 = line[k - 1].x;
            const double y0 = line[k - 1].y;
            if (inside(x0, y0) != inside(x, y)) {
                // Where the step crosses the circle: |p0 + t (p - p0)| = 1.
                const double dx = x - x0;
                const double dy = y - y0;
                const double a = dx * dx + dy * dy;
                const double b = 2 * (x0 * dx + y0 * dy);
                const double c = x0 * x0 + y0 * y0 - 1;
                const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
                double t = (-b + root) / (2 * a);
                if (t < 0 || t > 1)
                    t = (-b - root) / (2 * a);
                part.push_back(ToCanvas(frame, x0 + t * dx, y0 + t * dy));
                if (!inside(x, y))
                    flush();
            }
        }
        if (inside(x, y))
            part.push_back(ToCanvas(frame, x, y));
    }
    flush();
}

namespace {

constexpr std::size_t GreatCirclePoints = 181;

// The net is not drawn across a plane without dip: it is the primitive circle itself.
bool drawsCircle(float dipDirection, float dip)
{
    return dip != 0 && std::isfinite(dip) && std::isfinite(dipDirection);
}

void greatCirclePoints(const NetFrame& frame, math::Projection projection, float dipDirection,
                       float dip, std::span<Point, GreatCirclePoints> line)
{
    // The half circle from the strike line (azimuth DD - 90, horizontal) through the dip line
    // (DD, plunge dip) to the opposite end of the strike line, in 1 degree steps:
    // v(t) = cos t S + sin t D. A negative dip gives the upper half, which the projection shows
    // like its lower mirror at the same declinations.
    const double dd = dipDirection * math::RadPerDeg;
    const double delta = dip * math::RadPerDeg;
    const double strikeNorth = std::sin(dd); // cos(dd - 90)
    const double strikeEast = -std::cos(dd); // sin(dd - 90)
    const double dipNorth = std::cos(delta) * std::cos(dd);
    const double dipEast = std::cos(delta) * std::sin(dd);
    const double dipDown = std::sin(delta);
    const UnitCircleTable& circle = UnitCircle();

    for (std::size_t t = 0; t < GreatCirclePoints; ++t) {
        const double c = circle.cosines[t];
        const double s = t == 0 || t == 180 ? 0.0 : circle.sines[t];
        const math::Vec3 v {{static_cast<float>(c * strikeNorth + s * dipNorth),
                             static_cast<float>(c * strikeEast + s * dipEast),
                             static_cast<float>(s * dipDown)}};
        const NetPoint p = ProjectUnitVector(projection, v);
        line[t] = ToCanvas(frame, p.x, p.y);
    }
}

} // namespace

void DrawGreatCircle(Canvas& canvas, const NetFrame& frame, math::Projection projection,
                     float dipDirection, float dip, PenStyle style, Colour colour, int width)
{
    if (!drawsCircle(dipDirection, dip))
        return;
    std::array<Point, GreatCirclePoints> line;
    greatCirclePoints(frame, projection, dipDirection, dip, line);
    canvas.polyline(line, Pen {style, colour, width});
}

void GreatCircleCache::Begin(const NetFrame& frame, math::Projection projection)
{
    if (frame.cx != m_frame.cx || frame.cy != m_frame.cy || frame.diameter != m_frame.diameter
        || projection != m_projection) {
        m_planes.clear();
        m_points = std::make_shared<std::vector<Point>>();
    }
    m_heldElsewhere = m_points.use_count() > 1;
    m_frame = frame;
    m_projection = projection;
    m_next = 0;
    m_computed = 0;
}

void GreatCircleCache::Draw(Canvas& canvas, float dipDirection, float dip, PenStyle style,
                            Colour colour, int width)
{
    if (!drawsCircle(dipDirection, dip))
        return;
    const std::size_t k = m_next++;
    if (k >= m_planes.size() || m_planes[k].dipDirection != dipDirection
        || m_planes[k].dip != dip) {
        // The circles from here on were of other planes: they are computed as they come.
        const std::size_t kept = k * GreatCirclePoints;
        if (m_heldElsewhere) {
            // The circles before k are this drawing's too; the rest are replaced.
            const auto end = m_points->begin() + static_cast<std::ptrdiff_t>(kept);
            m_points = std::make_shared<std::vector<Point>>(m_points->begin(), end);
            m_heldElsewhere = false;
        }
        m_planes.resize(k + 1);
        m_points->resize(kept + GreatCirclePoints);
        m_planes[k] = {dipDirection, dip};
        greatCirclePoints(
            m_frame, m_projection, dipDirection, dip,
            std::span<Point, GreatCirclePoints>(m_points->data() + kept, GreatCirclePoints));
        ++m_computed;
    }
    canvas.polyline(m_points, k * GreatCirclePoints, GreatCirclePoints, Pen {style, colour, width});
}

} // namespace tesmor::plot
