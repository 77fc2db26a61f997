#include "plot/recording_canvas.h"

namespace tesmor::plot {

void RecordingCanvas::polygon(const std::vector<Point>& points, Colour fill, Colour outline)
{
    m_operations.emplace_back(PolygonOp {points, fill, outline});
}

void RecordingCanvas::ellipse(const Rect& box, Colour fill, Colour outline)
{
    m_operations.emplace_back(EllipseOp {box, fill, outline});
}

void RecordingCanvas::polyline(const std::vector<Point>& points, const Pen& pen)
{
    m_operations.emplace_back(PolylineOp {points, pen});
}

void RecordingCanvas::text(const TextItem& item)
{
    m_operations.emplace_back(item);
}

void RecordingCanvas::symbol(const SymbolItem& item)
{
    m_operations.emplace_back(item);
}

void RecordingCanvas::replay(Canvas& target) const
{
    struct Player
    {
        Canvas& target;
        void operator()(const PolygonOp& op) const
        {
            target.polygon(op.points, op.fill, op.outline);
        }
        void operator()(const EllipseOp& op) const { target.ellipse(op.box, op.fill, op.outline); }
        void operator()(const PolylineOp& op) const { target.polyline(op.points, op.pen); }
        void operator()(const TextItem& op) const { target.text(op); }
        void operator()(const SymbolItem& op) const { target.symbol(op); }
    };
    const Player player {target};
    for (const Operation& op : m_operations)
        std::visit(player, op);
}

} // namespace tesmor::plot
