#include "render/line_raster.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <thread>

namespace tesmor::render {

namespace {

// On and off lengths in pixels, starting with "on".
std::span<const double> Pattern(plot::PenStyle style)
{
    static constexpr std::array<double, 2> Dash {4, 2};
    static constexpr std::array<double, 2> Dot {1, 2};
    static constexpr std::array<double, 4> DashDot {4, 2, 1, 2};
    static constexpr std::array<double, 6> DashDotDot {4, 2, 1, 2, 1, 2};
    switch (style) {
    case plot::PenStyle::Dash:
        return Dash;
    case plot::PenStyle::Dot:
        return Dot;
    case plot::PenStyle::DashDot:
        return DashDot;
    case plot::PenStyle::DashDotDot:
        return DashDotDot;
    case plot::PenStyle::Solid:
        break;
    }
    return {};
}

struct Pixels
{
    uchar* bits;
    qsizetype stride; // pixels per row
    int width;
    int height;
};

Pixels PixelsOf(QImage& image)
{
    return {image.bits(), image.bytesPerLine() / 4, image.width(), image.height()};
}

// The opaque colour as the two channel pairs of a pixel, alpha with green, red with blue.
struct SourceColour
{
    explicit SourceColour(plot::Colour colour)
        : redBlue(static_cast<std::uint32_t>(colour.r) << 16 | colour.b)
        , alphaGreen(0xFFu << 16 | colour.g)
    {
    }
    std::uint32_t redBlue;
    std::uint32_t alphaGreen;
};

// Source-over of the colour with coverage `alpha` (1..255) on the pixel d, two channels at a
// time; x / 255 is taken as (x + 128 + ((x + 128) >> 8)) >> 8, exact for these products.
std::uint32_t SourceOver(std::uint32_t d, const SourceColour& source, std::uint32_t alpha)
{
    const std::uint32_t inverse = 255u - alpha;
    std::uint32_t redBlue = source.redBlue * alpha + (d & 0x00FF00FFu) * inverse + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t alphaGreen
        = source.alphaGreen * alpha + ((d >> 8) & 0x00FF00FFu) * inverse + 0x00800080u;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return redBlue | alphaGreen;
}

// The coverage of two lines on one pixel: 1 - (1 - m)(1 - a) in 255ths, rounded.
std::uint8_t CombinedCoverage(std::uint32_t m, std::uint32_t a)
{
    const std::uint32_t uncovered = (255u - m) * (255u - a) + 128u;
    return static_cast<std::uint8_t>(255u - ((uncovered + (uncovered >> 8)) >> 8));
}

class Rasterizer
{
public:
    // Pixels are drawn only in the rows top .. bottom - 1 of the image. The image's bits are
    // taken once by the caller: QImage::bits() counts a detach, which threads must not race on.
    // With a `mask` (one byte per pixel of the image, stride = width) the line's coverage is
    // added to the mask instead of its colour being drawn into the image.
    Rasterizer(const Pixels& image, plot::Colour colour, plot::PenStyle style, int top, int bottom,
               std::uint8_t* mask = nullptr)
        : m_bits(image.bits)
        , m_stride(image.stride)
        , m_width(image.width)
        , m_top(std::max(top, 0))
        , m_bottom(std::min(bottom, image.height))
        , m_source(colour)
        , m_mask(mask)
        , m_pattern(Pattern(style))
    {
        if (!m_pattern.empty())
            m_remaining = m_pattern[0];
    }

    // The segment from a to b without its last pixel, which the next segment (or the end of the
    // line) draws, so that no pixel of a corner is covered twice.
    void segment(plot::Point a, plot::Point b, bool last)
    {
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        const bool steep = std::abs(dy) > std::abs(dx);
        const int steps = steep ? std::abs(dy) : std::abs(dx);
        if (steps == 0) {
            if (last)
                blend(a.x, a.y, 255);
            return;
        }
        // A segment wholly outside the rows (its pixels lie on rows min y .. max y + 1) only
        // moves along the dash pattern, step by step as when drawn. The step length is only
        // needed for the pattern.
        const bool dashed = !m_pattern.empty();
        const bool outside = std::max(a.y, b.y) + 1 < m_top || std::min(a.y, b.y) >= m_bottom;
        if (outside && !dashed)
            return;
        const int count = last ? steps + 1 : steps;
        const double stepLength
            = dashed ? std::sqrt(double(dx) * dx + double(dy) * dy) / steps : 0.0;
        if (outside) {
            for (int i = 0; i < count; ++i)
                advance(stepLength);
            return;
        }
        const int sign = (steep ? dy : dx) > 0 ? 1 : -1;
        const double gradient = steep ? double(dx) / std::abs(dy) : double(dy) / std::abs(dx);
        // The pixels lie within min x .. max x + 1 and min y .. max y + 1: when those are all
        // drawn, no pixel needs its own check.
        const bool inside = std::min(a.x, b.x) >= 0 && std::max(a.x, b.x) + 1 < m_width
            && std::min(a.y, b.y) >= m_top && std::max(a.y, b.y) + 1 < m_bottom;
        const auto put = [&](int x, int y, int alpha) {
            if (!inside)
                blend(x, y, alpha);
            else if (alpha > 0)
                blendPixel(x, y, alpha);
        };
        for (int i = 0; i < count; ++i) {
            if (dashed) {
                const bool on = m_index % 2 == 0;
                advance(stepLength);
                if (!on)
                    continue;
            }
            const double minor = (steep ? a.x : a.y) + gradient * i;
            const double base = std::floor(minor);
            const int coverage = static_cast<int>((minor - base) * 255.0 + 0.5);
            const int major = (steep ? a.y : a.x) + sign * i;
            const int m = static_cast<int>(base);
            if (steep) {
                put(m, major, 255 - coverage);
                put(m + 1, major, coverage);
            } else {
                put(major, m, 255 - coverage);
                put(major, m + 1, coverage);
            }
        }
    }

private:
    // Moves along the dash pattern by one step's length.
    void advance(double length)
    {
        if (m_pattern.empty())
            return;
        m_remaining -= length;
        while (m_remaining <= 0) {
            m_index = (m_index + 1) % m_pattern.size();
            m_remaining += m_pattern[m_index];
        }
    }

    void blend(int x, int y, int alpha)
    {
        if (alpha <= 0 || x < 0 || y < m_top || x >= m_width || y >= m_bottom)
            return;
        blendPixel(x, y, alpha);
    }

    // blend for a pixel known to be drawn and a coverage above 0.
    void blendPixel(int x, int y, int alpha)
    {
        const auto a = static_cast<std::uint32_t>(alpha);
        if (m_mask) {
            std::uint8_t& m = m_mask[static_cast<qsizetype>(y) * m_width + x];
            m = CombinedCoverage(m, a);
            return;
        }
        auto* pixel
            = reinterpret_cast<std::uint32_t*>(m_bits) + static_cast<qsizetype>(y) * m_stride + x;
        *pixel = SourceOver(*pixel, m_source, a);
    }

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_top;
    int m_bottom;
    SourceColour m_source;
    std::uint8_t* m_mask;
    std::span<const double> m_pattern;
    std::size_t m_index = 0; // the pattern element at the current position; even: on
    double m_remaining = 0; // what is left of it, pixels
};

} // namespace

QImage* DirectLineTarget(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const bool format = image->format() == QImage::Format_RGB32
        || image->format() == QImage::Format_ARGB32_Premultiplied;
    if (!format || !image->isDetached() || image->devicePixelRatio() != 1.0
        || !painter.deviceTransform().isIdentity() || painter.hasClipping()
        || painter.opacity() != 1.0
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

void DrawAntialiasedPolyline(QImage& image, std::span<const plot::Point> points,
                             plot::Colour colour, plot::PenStyle style)
{
    if (points.size() < 2)
        return;
    Rasterizer raster(PixelsOf(image), colour, style, 0, image.height());
    for (std::size_t i = 1; i < points.size(); ++i)
        raster.segment(points[i - 1], points[i], i + 1 == points.size());
}

void LineBatch::add(std::span<const plot::Point> points, plot::Colour colour, plot::PenStyle style)
{
    if (points.size() < 2)
        return;
    m_lines.push_back({m_points.size(), points.size(), colour, style});
    m_points.insert(m_points.end(), points.begin(), points.end());
}

namespace {

// Runs rows(top, bottom) over bands of the image's rows, one band per thread; each thread takes
// at least a few dozen rows.
void InBands(int height, int threads, const std::function<void(int top, int bottom)>& rows)
{
    constexpr int MinRowsPerThread = 32;
    const int bands = std::clamp(height / MinRowsPerThread, 1, std::max(threads, 1));
    if (bands == 1) {
        rows(0, height);
        return;
    }
    std::vector<std::jthread> helpers;
    helpers.reserve(static_cast<std::size_t>(bands - 1));
    const auto edge = [&](int band) { return height * band / bands; };
    for (int band = 1; band < bands; ++band)
        helpers.emplace_back([&, band] { rows(edge(band), edge(band + 1)); });
    rows(0, edge(1));
}

// The coverage of the lines of each colour of the last large batch drawn on this thread, kept
// with a key of everything but the colours: a picture drawn again with other colours (a colour
// scheme change) only lays the colours over the kept coverage.
struct CoverageCache
{
    std::uint64_t key = 0;
    int width = 0;
    int height = 0;
    std::vector<std::vector<std::uint8_t>> masks; // one per colour, in order of first use
};

CoverageCache& LastCoverage()
{
    thread_local CoverageCache cache;
    return cache;
}

// A 64-bit fingerprint of words, in four independent streams so that the multiplications of one
// word need not wait for the previous one.
class Fingerprint
{
public:
    void add(std::uint64_t word)
    {
        std::uint64_t& h = m_h[m_next++ % 4];
        h = (h ^ word) * 0x9E3779B97F4A7C15u;
        h ^= h >> 29;
    }
    std::uint64_t value() const
    {
        std::uint64_t v = m_next;
        for (const std::uint64_t h : m_h)
            v = (v ^ h) * 0xBF58476D1CE4E5B9u ^ (v >> 31);
        return v;
    }

private:
    std::array<std::uint64_t, 4> m_h {1, 2, 3, 4};
    std::size_t m_next = 0;
};

std::uint64_t PointWord(plot::Point p)
{
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x)) << 32
        | static_cast<std::uint32_t>(p.y);
}

} // namespace

void LineBatch::draw(QImage& image, int threads)
{
    const Pixels pixels = PixelsOf(image);
    // The colours of the batch in order of first use, and each line's among them.
    std::vector<plot::Colour> colours;
    std::vector<std::uint8_t> colourOf(m_lines.size());
    for (std::size_t k = 0; k < m_lines.size() && colours.size() <= MaxCoverageColours; ++k) {
        const auto found = std::find(colours.begin(), colours.end(), m_lines[k].colour);
        colourOf[k] = static_cast<std::uint8_t>(found - colours.begin());
        if (found == colours.end())
            colours.push_back(m_lines[k].colour);
    }
    // Every line clipped to the rows top .. bottom - 1, into the image or into the coverage of
    // its colour.
    const auto rasterize = [&](int top, int bottom, CoverageCache* coverage) {
        for (std::size_t k = 0; k < m_lines.size(); ++k) {
            const Line& line = m_lines[k];
            Rasterizer raster(pixels, line.colour, line.style, top, bottom,
                              coverage ? coverage->masks[colourOf[k]].data() : nullptr);
            const plot::Point* p = m_points.data() + line.first;
            for (std::size_t i = 1; i < line.count; ++i)
                raster.segment(p[i - 1], p[i], i + 1 == line.count);
        }
    };
    const std::size_t pixelCount = static_cast<std::size_t>(pixels.width) * pixels.height;
    if (m_points.size() < MinCoveragePoints || colours.size() > MaxCoverageColours
        || pixelCount > MaxCoveragePixels) {
        // Line by line in the order given.
        InBands(pixels.height, threads,
                [&](int top, int bottom) { rasterize(top, bottom, nullptr); });
        m_lines.clear();
        m_points.clear();
        return;
    }

    Fingerprint fingerprint;
    fingerprint.add(static_cast<std::uint64_t>(pixels.width) << 32 | std::uint32_t(pixels.height));
    for (std::size_t k = 0; k < m_lines.size(); ++k) {
        const Line& line = m_lines[k];
        fingerprint.add(line.count << 16 | std::size_t(line.style) << 8 | colourOf[k]);
        for (std::size_t i = line.first; i < line.first + line.count; ++i)
            fingerprint.add(PointWord(m_points[i]));
    }
    CoverageCache& cache = LastCoverage();
    const std::uint64_t key = fingerprint.value();
    if (cache.key != key || cache.width != pixels.width || cache.height != pixels.height
        || cache.masks.size() != colours.size()) {
        cache.key = key;
        cache.width = pixels.width;
        cache.height = pixels.height;
        cache.masks.assign(colours.size(), std::vector<std::uint8_t>(pixelCount, 0));
        InBands(pixels.height, threads,
                [&](int top, int bottom) { rasterize(top, bottom, &cache); });
    }
    // Each colour over its coverage, in the order the colours were first used.
    InBands(pixels.height, threads, [&](int top, int bottom) {
        for (std::size_t c = 0; c < colours.size(); ++c) {
            const SourceColour source(colours[c]);
            const std::uint8_t* mask = cache.masks[c].data();
            for (int y = top; y < bottom; ++y) {
                auto* row = reinterpret_cast<std::uint32_t*>(pixels.bits) + y * pixels.stride;
                const std::uint8_t* coverage = mask + static_cast<qsizetype>(y) * pixels.width;
                for (int x = 0; x < pixels.width; ++x)
                    if (coverage[x] != 0)
                        row[x] = SourceOver(row[x], source, coverage[x]);
            }
        }
    });
    m_lines.clear();
    m_points.clear();
}

} // namespace tesmor::render
