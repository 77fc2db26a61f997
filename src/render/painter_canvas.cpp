#include "render/painter_canvas.h"

#include "plot/symbols.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
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

QPolygonF ToPolygon(const std::vector<plot::Point>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const plot::Point& p : points)
        polygon.append(Centre(p));
    return polygon;
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

std::uint64_t MarkerKey(const plot::SymbolItem& s)
{
    const auto colour = [](plot::Colour c) {
        return static_cast<std::uint64_t>(c.r) << 16 | static_cast<std::uint64_t>(c.g) << 8 | c.b;
    };
    return static_cast<std::uint64_t>(s.shape & 0xFF) << 56
        | static_cast<std::uint64_t>(std::clamp(s.size, 0, 0xFF)) << 48 | colour(s.fill) << 24
        | colour(s.outline);
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
}

void PainterCanvas::polygon(const std::vector<plot::Point>& points, plot::Colour fill,
                            plot::Colour outline)
{
    m_painter.setPen(OutlinePen(outline));
    m_painter.setBrush(ToQColor(fill));
    m_painter.drawPolygon(ToPolygon(points));
}

void PainterCanvas::ellipse(const plot::Rect& box, plot::Colour fill, plot::Colour outline)
{
    m_painter.setPen(OutlinePen(outline));
    m_painter.setBrush(ToQColor(fill));
    m_painter.drawEllipse(QRectF(Centre({box.left, box.top}), Centre({box.right, box.bottom})));
}

void PainterCanvas::polyline(const std::vector<plot::Point>& points, const plot::Pen& pen)
{
    if (points.size() < 2)
        return;
    QPen qpen(ToQColor(pen.colour));
    qpen.setWidth(std::max(pen.width, 0));
    qpen.setStyle(ToQtStyle(pen.style, pen.width));
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(qpen);
    m_painter.setBrush(Qt::NoBrush);
    // A finely sampled curve in whole pixels steps like a staircase and repeats points; drawn
    // through points at least two pixels apart it is smooth again.
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    plot::Point kept = points.front();
    line.append(Centre(kept));
    for (std::size_t i = 1; i < points.size(); ++i) {
        const plot::Point& p = points[i];
        const bool last = i + 1 == points.size();
        if (std::max(std::abs(p.x - kept.x), std::abs(p.y - kept.y)) >= 2 || (last && p != kept)) {
            line.append(Centre(p));
            kept = p;
        }
    }
    if (line.size() == 1)
        line.append(line.front());
    m_painter.drawPolyline(line);
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
    auto found = m_markers.find(key);
    if (found != m_markers.end())
        return found->second;
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
        plot::SymbolItem centred = item;
        centred.x = cached.centre;
        centred.y = cached.centre;
        plot::ExpandSymbol(vectors, centred);
    }
    return m_markers.emplace(key, std::move(cached)).first->second;
}

void PainterCanvas::symbol(const plot::SymbolItem& item)
{
    // Lines of an azimuth differ from record to record: drawn directly.
    if (!m_cacheMarkers || item.shape == plot::AzimuthLine || item.size > 200) {
        plot::ExpandSymbol(*this, item);
        return;
    }
    const CachedMarker& cached = marker(item);
    const plot::Point at = plot::ToPixel(item.x, item.y);
    m_painter.drawImage(at.x - cached.centre, at.y - cached.centre, cached.image);
}

} // namespace tesmor::render
