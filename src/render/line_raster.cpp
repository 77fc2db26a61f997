#include "render/line_raster.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

class Rasterizer
{
public:
    Rasterizer(QImage& image, plot::Colour colour, plot::PenStyle style)
        : m_bits(image.bits())
        , m_stride(image.bytesPerLine() / 4)
        , m_width(image.width())
        , m_height(image.height())
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
        const double stepLength = std::sqrt(double(dx) * dx + double(dy) * dy) / steps;
        const int sign = (steep ? dy : dx) > 0 ? 1 : -1;
        const double gradient = steep ? double(dx) / std::abs(dy) : double(dy) / std::abs(dx);
        const int count = last ? steps + 1 : steps;
        for (int i = 0; i < count; ++i) {
            const bool on = m_index % 2 == 0;
            advance(stepLength);
            if (!on)
                continue;
            const double minor = (steep ? a.x : a.y) + gradient * i;
            const double base = std::floor(minor);
            const int coverage = static_cast<int>((minor - base) * 255.0 + 0.5);
            const int major = (steep ? a.y : a.x) + sign * i;
            const int m = static_cast<int>(base);
            if (steep) {
                blend(m, major, 255 - coverage);
                blend(m + 1, major, coverage);
            } else {
                blend(major, m, 255 - coverage);
                blend(major, m + 1, coverage);
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
        if (alpha <= 0 || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
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
    int m_height;
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
    Rasterizer raster(image, colour, style);
    for (std::size_t i = 1; i < points.size(); ++i)
        raster.segment(points[i - 1], points[i], i + 1 == points.size());
}

} // namespace tesmor::render
