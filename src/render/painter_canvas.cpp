#include "render/painter_canvas.h"

#include "math/parallel.h"
#include "plot/symbols.h"
#include "render/line_raster.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tesmor::render {

namespace {

QColor ToQColor(plot::Colour c)
{
    return QColor(c.r, c.g, c.b);
}

// Whole-pixel coordinates lie on pixel corners; a 1-pixel line through the pixel centres stays
// sharp when anti-aliased.
QPointF Centre(plot::Point p)
{
    return QPointF(p.x + 0.5, p.y + 0.5);
}

QPolygonF ToPolygon(std::span<const plot::Point> points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const plot::Point& p : points)
        polygon.append(Centre(p));
    return polygon;
}

// A finely sampled curve (a great circle of 181 points, an ellipse of 3601) in whole pixels
// steps like a staircase and repeats points. Drawn through fewer points that keep it within
// about half a pixel it is smooth again, and much cheaper to stroke anti-aliased: from each kept
// point the line runs towards the next point at least two pixels away and goes on as long as
// the following points stay within the tolerance of that direction.
void Simplify(std::span<const plot::Point> points, std::vector<plot::Point>& line)
{
    constexpr double Tolerance = 0.35; // pixels
    constexpr int Near = 2; // pixels
    line.clear();
    line.push_back(points[0]);
    std::size_t anchor = 0;
    const std::size_t n = points.size();
    while (anchor + 1 < n) {
        const plot::Point a = points[anchor];
        std::size_t d = anchor + 1;
        while (d + 1 < n && std::abs(points[d].x - a.x) < Near
               && std::abs(points[d].y - a.y) < Near)
            ++d;
        const double dx = points[d].x - a.x;
        const double dy = points[d].y - a.y;
        const double limit = Tolerance * Tolerance * (dx * dx + dy * dy);
        std::size_t end = d;
        while (end + 1 < n) {
            const plot::Point p = points[end + 1];
            const double cross = dx * (p.y - a.y) - dy * (p.x - a.x);
            const double along = dx * (p.x - a.x) + dy * (p.y - a.y);
            if (cross * cross > limit || along <= 0)
                break;
            ++end;
        }
        line.push_back(points[end]);
        anchor = end;
    }
}

Qt::PenStyle ToQtStyle(plot::PenStyle style, int width)
{
    if (width > 1)
        return Qt::SolidLine;
    switch (style) {
    case plot::PenStyle::Dash:
        return Qt::DashLine;
    case plot::PenStyle::Dot:
        return Qt::DotLine;
    case plot::PenStyle::DashDot:
        return Qt::DashDotLine;
    case plot::PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case plot::PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

QPen OutlinePen(plot::Colour outline)
{
    QPen pen(ToQColor(outline));
    pen.setWidth(1);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Where a marker lies between two pixels decides how its corners round (x - S/2 and x + S/2 for
// an odd S fall k + 1 pixels before and k after the nearest pixel when the position lies just
// past a pixel, k before and k + 1 after when it lies just before the next one): bit 0 for x,
// bit 1 for y, set in the second half of the pixel.
int MarkerPhase(const plot::SymbolItem& s)
{
    const auto late = [](double v) { return v - std::floor(v) >= 0.5 ? 1 : 0; };
    return late(s.x) | late(s.y) << 1;
}

std::uint64_t MarkerKey(const plot::SymbolItem& s)
{
    const auto colour = [](plot::Colour c) {
        return static_cast<std::uint64_t>(c.r) << 16 | static_cast<std::uint64_t>(c.g) << 8 | c.b;
    };
    return static_cast<std::uint64_t>(MarkerPhase(s)) << 62
        | static_cast<std::uint64_t>(s.shape & 0x3F) << 56
        | static_cast<std::uint64_t>(std::clamp(s.size, 0, 0xFF)) << 48 | colour(s.fill) << 24
        | colour(s.outline);
}

// Line storage handed from one canvas of a thread to the next: a window's picture is drawn
// again and again, and growing the storage afresh each time costs more than the drawing.
std::vector<LineBatch>& SpareLineBatches()
{
    thread_local std::vector<LineBatch> spare;
    return spare;
}

bool ScalesOrRotates(const QTransform& t)
{
    return t.type() > QTransform::TxTranslate;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, Markers markers)
    : m_painter(painter)
{
    if (markers == Markers::Automatic) {
        const QPaintDevice* device = painter.device();
        const int type = device ? device->devType() : 0;
        m_cacheMarkers = (type == QInternal::Image || type == QInternal::Pixmap)
            && !ScalesOrRotates(painter.deviceTransform());
    } else {
        m_cacheMarkers = markers == Markers::Cached;
    }
    if (std::vector<LineBatch>& spare = SpareLineBatches(); !spare.empty()) {
        m_lines = std::move(spare.back());
        spare.pop_back();
    }
}

PainterCanvas::~PainterCanvas()
{
    drawLines();
    SpareLineBatches().push_back(std::move(m_lines));
}

void PainterCanvas::drawLines()
{
    // Threads pay off only for many points, as the great circles of a large data set.
    constexpr std::size_t MinPointsForThreads = 40000;
    if (m_linesImage)
        m_lines.draw(*m_linesImage,
                     m_lines.points() >= MinPointsForThreads ? math::HardwareThreads() : 1);
    m_linesImage = nullptr;
}

void PainterCanvas::polygon(std::span<const plot::Point> points, plot::Colour fill,
                            plot::Colour outline)
{
    drawLines();
    m_painter.setPen(OutlinePen(outline));
    m_painter.setBrush(ToQColor(fill));
    m_painter.drawPolygon(ToPolygon(points));
}

void PainterCanvas::ellipse(const plot::Rect& box, plot::Colour fill, plot::Colour outline)
{
    drawLines();
    m_painter.setPen(OutlinePen(outline));
    m_painter.setBrush(ToQColor(fill));
    m_painter.drawEllipse(QRectF(Centre({box.left, box.top}), Centre({box.right, box.bottom})));
}

void PainterCanvas::polyline(std::span<const plot::Point> points, const plot::Pen& pen)
{
    if (points.size() < 2)
        return;
    if (pen.width <= 1 && m_painter.testRenderHint(QPainter::Antialiasing)) {
        if (QImage* image = DirectLineTarget(m_painter)) {
            if (image != m_linesImage)
                drawLines();
            m_linesImage = image;
            Simplify(points, m_line);
            m_lines.add(m_line, pen.colour, pen.style);
            return;
        }
    }
    drawLines();
    if (!m_linePenValid || m_linePen != pen) {
        m_lineQPen = QPen(ToQColor(pen.colour));
        m_lineQPen.setWidth(std::max(pen.width, 0));
        m_lineQPen.setStyle(ToQtStyle(pen.style, pen.width));
        m_lineQPen.setCapStyle(Qt::FlatCap);
        m_lineQPen.setJoinStyle(Qt::RoundJoin);
        m_linePen = pen;
        m_linePenValid = true;
    }
    m_painter.setPen(m_lineQPen);
    m_painter.setBrush(Qt::NoBrush);
    Simplify(points, m_line);
    m_painter.drawPolyline(ToPolygon(m_line));
}

const QFont& PainterCanvas::font(const plot::TextItem& item)
{
    if (!m_fontValid || m_fontHeight != item.height || m_fontWeight != item.weight
        || m_fontFace != item.face) {
        m_font = QFont(QString::fromStdString(item.face));
        m_font.setPixelSize(std::max(1, item.height));
        m_font.setWeight(static_cast<QFont::Weight>(std::clamp(item.weight, 1, 1000)));
        m_fontHeight = item.height;
        m_fontWeight = item.weight;
        m_fontFace = item.face;
        m_fontValid = true;
    }
    return m_font;
}

void PainterCanvas::text(const plot::TextItem& item)
{
    drawLines();
    if (item.text.empty() || item.height <= 0)
        return;
    const QString text = QString::fromStdString(item.text);
    const QFont& f = font(item);
    const QFontMetricsF metrics(f, m_painter.device());
    double dx = 0;
    if (item.align.h != plot::HAlign::Left) {
        const double width = metrics.horizontalAdvance(text);
        dx = item.align.h == plot::HAlign::Right ? -width : -width / 2;
    }
    double dy = 0;
    if (item.align.v == plot::VAlign::Top)
        dy = metrics.ascent();
    else if (item.align.v == plot::VAlign::Bottom)
        dy = -metrics.descent();
    m_painter.setFont(f);
    m_painter.setPen(ToQColor(item.colour));
    if (item.angle == 0) {
        m_painter.drawText(QPointF(item.at.x + dx, item.at.y + dy), text);
        return;
    }
    m_painter.save();
    m_painter.translate(item.at.x, item.at.y);
    m_painter.rotate(-item.angle);
    m_painter.drawText(QPointF(dx, dy), text);
    m_painter.restore();
}

const PainterCanvas::CachedMarker& PainterCanvas::marker(const plot::SymbolItem& item)
{
    const std::uint64_t key = MarkerKey(item);
    RecentMarker& recent = m_recentMarkers[(key ^ key >> 24 ^ key >> 48 ^ key >> 62) % 64];
    if (recent.marker && recent.key == key)
        return *recent.marker;
    auto found = m_markers.find(key);
    if (found != m_markers.end()) {
        recent = {key, &found->second};
        return found->second;
    }
    CachedMarker cached;
    cached.centre = item.size + 2;
    const int side = 2 * cached.centre + 1;
    cached.image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    cached.image.fill(Qt::transparent);
    {
        QPainter painter(&cached.image);
        painter.setRenderHint(QPainter::Antialiasing,
                              m_painter.testRenderHint(QPainter::Antialiasing));
        PainterCanvas vectors(painter, Markers::Vector);
        // Drawn a quarter pixel into the half of the pixel its phase stands for, the marker
        // rounds as a marker drawn directly at any position of that half does.
        const int phase = MarkerPhase(item);
        plot::SymbolItem centred = item;
        centred.x = cached.centre + ((phase & 1) ? 0.75 : 0.25);
        centred.y = cached.centre + ((phase & 2) ? 0.75 : 0.25);
        plot::ExpandSymbol(vectors, centred);
    }
    // Only the inked part is kept: transparent pixels leave the picture as it is, and each
    // marker is blended pixel by pixel tens of thousands of times.
    QRect ink;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(cached.image.constScanLine(y));
        for (int x = 0; x < side; ++x)
            if (row[x] != 0)
                ink |= QRect(x, y, 1, 1);
    }
    if (ink.isEmpty())
        ink = QRect(0, 0, 1, 1);
    cached.image = cached.image.copy(ink);
    cached.left = cached.centre - ink.left();
    cached.top = cached.centre - ink.top();
    return m_markers.emplace(key, std::move(cached)).first->second;
}

void PainterCanvas::symbol(const plot::SymbolItem& item)
{
    drawLines();
    // Lines of an azimuth differ from record to record: drawn directly.
    if (!m_cacheMarkers || item.shape == plot::AzimuthLine || item.shape < 0 || item.shape > 0x3F
        || item.size > 200) {
        plot::ExpandSymbol(*this, item);
        return;
    }
    const CachedMarker& cached = marker(item);
    const plot::Point at {plot::ToPixel(std::floor(item.x)), plot::ToPixel(std::floor(item.y))};
    m_painter.drawImage(at.x - cached.left, at.y - cached.top, cached.image);
}

} // namespace tesmor::render
