#include "plot/recording_canvas.h"

namespace tesmor::plot {

namespace {

template<typename T> std::uint32_t Append(std::vector<T>& list, T item)
{
    list.push_back(std::move(item));
    return static_cast<std::uint32_t>(list.size() - 1);
}

} // namespace

std::uint32_t RecordingCanvas::keep(std::span<const Point> points)
{
    const auto first = static_cast<std::uint32_t>(m_points.size());
    m_points.insert(m_points.end(), points.begin(), points.end());
    return first;
}

void RecordingCanvas::polygon(std::span<const Point> points, Colour fill, Colour outline)
{
    const Shape shape {keep(points), static_cast<std::uint32_t>(points.size()), fill, outline};
    m_order.push_back({Kind::Polygon, Append(m_polygons, shape)});
}

void RecordingCanvas::ellipse(const Rect& box, Colour fill, Colour outline)
{
    m_order.push_back({Kind::Ellipse, Append(m_ellipses, EllipseOp {box, fill, outline})});
}

void RecordingCanvas::polyline(std::span<const Point> points, const Pen& pen)
{
    const Line line {keep(points), static_cast<std::uint32_t>(points.size()), 0, pen};
    m_order.push_back({Kind::Polyline, Append(m_polylines, line)});
}

void RecordingCanvas::polyline(const std::shared_ptr<const std::vector<Point>>& block,
                               std::size_t first, std::size_t count, const Pen& pen)
{
    // Consecutive lines from one block, as the great circles of a net, share its entry.
    if (m_blocks.empty() || m_blocks.back() != block)
        m_blocks.push_back(block);
    const Line line {first, static_cast<std::uint32_t>(count),
                     static_cast<std::uint32_t>(m_blocks.size()), pen};
    m_order.push_back({Kind::Polyline, Append(m_polylines, line)});
}

void RecordingCanvas::text(const TextItem& item)
{
    m_order.push_back({Kind::Text, Append(m_texts, item)});
}

void RecordingCanvas::symbol(const SymbolItem& item)
{
    m_order.push_back({Kind::Symbol, Append(m_symbols, item)});
}

void RecordingCanvas::clear()
{
    m_order.clear();
    m_points.clear();
    m_polygons.clear();
    m_ellipses.clear();
    m_polylines.clear();
    m_blocks.clear();
    m_texts.clear();
    m_symbols.clear();
}

std::vector<Operation> RecordingCanvas::operations() const
{
    std::vector<Operation> out;
    out.reserve(m_order.size());
    for (const Entry& e : m_order) {
        switch (e.kind) {
        case Kind::Polygon: {
            const Shape& op = m_polygons[e.index];
            const auto points = pointsOf(op.first, op.count);
            out.emplace_back(PolygonOp {{points.begin(), points.end()}, op.fill, op.outline});
            break;
        }
        case Kind::Ellipse:
            out.emplace_back(m_ellipses[e.index]);
            break;
        case Kind::Polyline: {
            const Line& op = m_polylines[e.index];
            const auto points = pointsOf(op);
            out.emplace_back(PolylineOp {{points.begin(), points.end()}, op.pen});
            break;
        }
        case Kind::Text:
            out.emplace_back(m_texts[e.index]);
            break;
        case Kind::Symbol:
            out.emplace_back(m_symbols[e.index]);
            break;
        }
    }
    return out;
}

void RecordingCanvas::replay(Canvas& target) const
{
    for (const Entry& e : m_order) {
        switch (e.kind) {
        case Kind::Polygon: {
            const Shape& op = m_polygons[e.index];
            target.polygon(pointsOf(op.first, op.count), op.fill, op.outline);
            break;
        }
        case Kind::Ellipse: {
            const EllipseOp& op = m_ellipses[e.index];
            target.ellipse(op.box, op.fill, op.outline);
            break;
        }
        case Kind::Polyline: {
            const Line& op = m_polylines[e.index];
            target.polyline(pointsOf(op), op.pen);
            break;
        }
        case Kind::Text:
            target.text(m_texts[e.index]);
            break;
        case Kind::Symbol:
            target.symbol(m_symbols[e.index]);
            break;
        }
    }
}

} // namespace tesmor::plot
