#include "math/density_contours.h"

#include "math/parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <utility>

namespace tesmor::math {

namespace {

struct Unit
{
    double n = 0;
    double e = 0;
    double d = 0;
};

Unit ToUnit(const Direction& a)
{
    const double dec = a.Dec * RadPerDeg;
    const double inc = a.Inc * RadPerDeg;
    return {std::cos(inc) * std::cos(dec), std::cos(inc) * std::sin(dec), std::sin(inc)};
}

// Net radius of the colatitude c (angle from Down, radians), continued beyond the primitive
// circle into the upper hemisphere, and its inverse.
double NetRadius(Projection projection, double c)
{
    return projection == Projection::EqualAngle ? std::tan(c / 2)
                                                : std::sqrt(2.0) * std::sin(c / 2);
}

double Colatitude(Projection projection, double r)
{
    return projection == Projection::EqualAngle ? 2 * std::atan(r)
                                                : 2 * std::asin(std::min(1.0, r / std::sqrt(2.0)));
}

// The largest stretch of the net's map (net units per radian) between colatitudes 0 and c: the
// tangential scale, which grows towards the upper pole and bounds the radial one.
double Stretch(Projection projection, double c)
{
    const double half = std::cos(c / 2);
    return projection == Projection::EqualAngle ? 1 / (2 * half * half)
                                                : 1 / (std::sqrt(2.0) * half);
}

} // namespace

DensityGrid KambDensity(std::span<const Direction> axes, Projection projection, int threads,
                        int nodes)
{
    DensityGrid grid;
    grid.nodes = nodes;
    const std::size_t cells = static_cast<std::size_t>(nodes) * static_cast<std::size_t>(nodes);
    const double N = static_cast<double>(axes.size());
    const double p = 9 / (N + 9);
    const double cosCap = 1 - p;
    const double cap = std::acos(cosCap);
    const double expected = N * p;
    const double sigma = std::sqrt(N * p * (1 - p));
    const double empty = sigma > 0 ? -expected / sigma : 0;
    grid.sigma.assign(cells, static_cast<float>(empty));
    if (axes.empty())
        return grid;

    // Nodes up to two cells beyond the primitive circle are counted, so that lines crossing it
    // are cut at the right place; those further out keep the empty value.
    const double h = 2.0 / (nodes - 1);
    const double reach = 1 + 2 * h;
    const double maxColat = Colatitude(projection, reach);
    std::vector<Unit> node(cells);
    std::vector<char> counted(cells, 0);
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i) {
            const double x = -1 + i * h;
            const double y = -1 + j * h;
            const double r = std::hypot(x, y);
            if (r > reach)
                continue;
            const double c = Colatitude(projection, r);
            const double s = r > 0 ? std::sin(c) / r : 0;
            const std::size_t k = static_cast<std::size_t>(j) * nodes + i;
            node[k] = {y * s, x * s, std::cos(c)};
            counted[k] = 1;
        }
    }

    // An axis reaches only the nodes whose net distance from its point is at most the cap's
    // angle times the largest stretch of the map along the way.
    const double farthest = maxColat + cap;
    const double bound
        = farthest >= 0.95 * Pi ? 4.0 : cap * Stretch(projection, farthest) * 1.01 + 1e-9;
    std::vector<int> counts(cells, 0);
    std::mutex merge;
    ParallelChunks(axes.size(), threads, [&](std::size_t begin, std::size_t end) {
        std::vector<int> local(cells, 0);
        for (std::size_t a = begin; a < end; ++a) {
            const Unit v = ToUnit(axes[a]);
            for (const double sign : {1.0, -1.0}) {
                const Unit u {sign * v.n, sign * v.e, sign * v.d};
                const double c = std::acos(std::clamp(u.d, -1.0, 1.0));
                if (c > farthest)
                    continue;
                const double horizontal = std::hypot(u.n, u.e);
                const double r = NetRadius(projection, c);
                const double px = horizontal > 0 ? r * u.e / horizontal : 0;
                const double py = horizontal > 0 ? r * u.n / horizontal : 0;
                const int i0 = std::max(0, static_cast<int>(std::ceil((px - bound + 1) / h)));
                const int i1
                    = std::min(nodes - 1, static_cast<int>(std::floor((px + bound + 1) / h)));
                const int j0 = std::max(0, static_cast<int>(std::ceil((py - bound + 1) / h)));
                const int j1
                    = std::min(nodes - 1, static_cast<int>(std::floor((py + bound + 1) / h)));
                for (int j = j0; j <= j1; ++j) {
                    for (int i = i0; i <= i1; ++i) {
                        const std::size_t k = static_cast<std::size_t>(j) * nodes + i;
                        const Unit& n = node[k];
                        if (counted[k] && n.n * u.n + n.e * u.e + n.d * u.d >= cosCap)
                            ++local[k];
                    }
                }
            }
        }
        // Whole counts add up to the same totals in any order.
        const std::lock_guard lock(merge);
        for (std::size_t k = 0; k < cells; ++k)
            counts[k] += local[k];
    });

    for (std::size_t k = 0; k < cells; ++k) {
        if (!counted[k])
            continue;
        const float value = static_cast<float>((counts[k] - expected) / sigma);
        grid.sigma[k] = value;
        const double x = -1 + static_cast<double>(k % nodes) * h;
        const double y = -1 + static_cast<double>(k / nodes) * h;
        if (x * x + y * y <= 1)
            grid.peak = std::max(grid.peak, value);
    }
    return grid;
}

std::vector<std::vector<NetPoint>> ContourLines(const DensityGrid& grid, double level)
{
    const int G = grid.nodes;
    const double h = 2.0 / (G - 1);
    const auto value = [&](int i, int j) {
        return static_cast<double>(grid.sigma[static_cast<std::size_t>(j) * G + i]);
    };
    // Edges are numbered 2k (from node k eastwards) and 2k + 1 (from node k northwards).
    const auto east = [G](int i, int j) { return 2 * (j * G + i); };
    const auto north = [G](int i, int j) { return 2 * (j * G + i) + 1; };
    const auto crossing = [&](int edge) {
        const int k = edge / 2;
        const int i = k % G;
        const int j = k / G;
        const int i2 = edge % 2 == 0 ? i + 1 : i;
        const int j2 = edge % 2 == 0 ? j : j + 1;
        const double a = value(i, j);
        const double b = value(i2, j2);
        const double t = a == b ? 0.5 : std::clamp((level - a) / (b - a), 0.0, 1.0);
        return NetPoint {static_cast<float>(-1 + (i + t * (i2 - i)) * h),
                         static_cast<float>(-1 + (j + t * (j2 - j)) * h)};
    };

    // Each crossed edge joins at most two segments, one from each cell beside it.
    std::vector<std::array<int, 2>> links(static_cast<std::size_t>(2 * G * G), {-1, -1});
    std::vector<std::pair<int, int>> segments;
    const auto add = [&](int e1, int e2) {
        const int s = static_cast<int>(segments.size());
        segments.emplace_back(e1, e2);
        for (const int e : {e1, e2}) {
            auto& slot = links[static_cast<std::size_t>(e)];
            (slot[0] < 0 ? slot[0] : slot[1]) = s;
        }
    };
    for (int j = 0; j + 1 < G; ++j) {
        for (int i = 0; i + 1 < G; ++i) {
            const double v[4]
                = {value(i, j), value(i + 1, j), value(i + 1, j + 1), value(i, j + 1)};
            const int edge[4] = {east(i, j), north(i + 1, j), east(i, j + 1), north(i, j)};
            int inside = 0;
            for (int c = 0; c < 4; ++c)
                inside |= (v[c] >= level ? 1 : 0) << c;
            if (inside == 0 || inside == 15)
                continue;
            if (inside == 5 || inside == 10) {
                // A saddle: the cell's mean decides which corners the lines separate.
                const bool centre = (v[0] + v[1] + v[2] + v[3]) / 4 >= level;
                if ((inside == 5) == centre) {
                    add(edge[0], edge[1]);
                    add(edge[2], edge[3]);
                } else {
                    add(edge[3], edge[0]);
                    add(edge[1], edge[2]);
                }
                continue;
            }
            // One line through the two edges whose corners differ.
            int found[2];
            int n = 0;
            for (int c = 0; c < 4; ++c)
                if (((inside >> c) & 1) != ((inside >> ((c + 1) % 4)) & 1))
                    found[n++] = edge[c];
            add(found[0], found[1]);
        }
    }

    std::vector<std::vector<NetPoint>> lines;
    std::vector<char> used(segments.size(), 0);
    const auto walk = [&](int edge, int segment) {
        std::vector<NetPoint> line {crossing(edge)};
        while (segment >= 0 && !used[static_cast<std::size_t>(segment)]) {
            used[static_cast<std::size_t>(segment)] = 1;
            const auto [a, b] = segments[static_cast<std::size_t>(segment)];
            edge = a == edge ? b : a;
            line.push_back(crossing(edge));
            const auto& slot = links[static_cast<std::size_t>(edge)];
            segment = slot[0] == segment ? slot[1] : slot[0];
        }
        lines.push_back(std::move(line));
    };
    // Open lines start at the grid's edge (an edge with one segment), then the closed ones.
    for (std::size_t s = 0; s < segments.size(); ++s) {
        for (const int e : {segments[s].first, segments[s].second}) {
            const auto& slot = links[static_cast<std::size_t>(e)];
            if (!used[s] && slot[1] < 0)
                walk(e, static_cast<int>(s));
        }
    }
    for (std::size_t s = 0; s < segments.size(); ++s)
        if (!used[s])
            walk(segments[s].first, static_cast<int>(s));
    return lines;
}

std::vector<std::vector<NetPoint>> DensityContours(std::span<const Direction> axes,
                                                   Projection projection, int threads)
{
    const DensityGrid grid = KambDensity(axes, projection, threads);
    std::vector<std::vector<NetPoint>> lines;
    for (double level = 2; level <= grid.peak; level += 2)
        for (auto& line : ContourLines(grid, level))
            lines.push_back(std::move(line));
    return lines;
}

} // namespace tesmor::math
