#include "render/line_raster.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

class Rasterizer
{
public:
    // Pixels are drawn only in the rows top .. bottom - 1 of the image. The image's bits are
    // taken once by the caller: QImage::bits() counts a detach, which threads must not race on.
    Rasterizer(const Pixels& image, plot::Colour colour, plot::PenStyle style, int top, int bottom)
        : m_bits(image.bits)
        , m_stride(image.stride)
        , m_width(image.width)
        , m_top(std::max(top, 0))
        , m_bottom(std::min(bottom, image.height))
        , m_sourceRedBlue(static_cast<std::uint32_t>(colour.r) << 16 | colour.b)
        , m_sourceAlphaGreen(0xFFu << 16 | colour.g)
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

    // Source-over of the opaque line colour with coverage `alpha` (0..255), two channels at a
    // time; x / 255 is taken as (x + 128 + ((x + 128) >> 8)) >> 8, exact for these products.
    void blend(int x, int y, int alpha)
    {
        if (alpha <= 0 || x < 0 || y < m_top || x >= m_width || y >= m_bottom)
            return;
        blendPixel(x, y, alpha);
    }

    // blend for a pixel known to be drawn and a coverage above 0.
    void blendPixel(int x, int y, int alpha)
    {
        auto* pixel
            = reinterpret_cast<std::uint32_t*>(m_bits) + static_cast<qsizetype>(y) * m_stride + x;
        const std::uint32_t d = *pixel;
        const auto a = static_cast<std::uint32_t>(alpha);
        const std::uint32_t inverse = 255u - a;
        std::uint32_t redBlue = m_sourceRedBlue * a + (d & 0x00FF00FFu) * inverse + 0x00800080u;
        redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
        std::uint32_t alphaGreen
            = m_sourceAlphaGreen * a + ((d >> 8) & 0x00FF00FFu) * inverse + 0x00800080u;
        alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
        *pixel = redBlue | alphaGreen;
    }

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_top;
    int m_bottom;
    std::uint32_t m_sourceRedBlue;
    std::uint32_t m_sourceAlphaGreen;
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

void LineBatch::draw(QImage& image, int threads)
{
    const Pixels pixels = PixelsOf(image);
    const auto rows = [&](int top, int bottom) {
        for (const Line& line : m_lines) {
            Rasterizer raster(pixels, line.colour, line.style, top, bottom);
            const plot::Point* p = m_points.data() + line.first;
            for (std::size_t i = 1; i < line.count; ++i)
                raster.segment(p[i - 1], p[i], i + 1 == line.count);
        }
    };
    // Each thread takes at least a few dozen rows.
    constexpr int MinRowsPerThread = 32;
    const int height = image.height();
    const int bands = std::clamp(height / MinRowsPerThread, 1, std::max(threads, 1));
    if (bands == 1) {
        rows(0, height);
    } else {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(bands - 1));
        const auto edge = [&](int band) { return height * band / bands; };
        for (int band = 1; band < bands; ++band)
            helpers.emplace_back([&, band] { rows(edge(band), edge(band + 1)); });
        rows(0, edge(1));
    }
    m_lines.clear();
    m_points.clear();
}

} // namespace tesmor::render
