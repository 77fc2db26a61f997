#pragma once

// A canvas that keeps its operations in order, to be replayed onto any other canvas: the
// off-screen picture of a view, and what the tests inspect.

#include "plot/canvas.h"

#include <variant>
#include <vector>

namespace tesmor::plot {

struct PolygonOp
{
    std::vector<Point> points;
    Colour fill;
    Colour outline;

    friend bool operator==(const PolygonOp&, const PolygonOp&) = default;
};

struct EllipseOp
{
    Rect box;
    Colour fill;
    Colour outline;

    friend bool operator==(const EllipseOp&, const EllipseOp&) = default;
};

struct PolylineOp
{
    std::vector<Point> points;
    Pen pen;

    friend bool operator==(const PolylineOp&, const PolylineOp&) = default;
};

using Operation = std::variant<PolygonOp, EllipseOp, PolylineOp, TextItem, SymbolItem>;

class RecordingCanvas : public Canvas
{
public:
    void polygon(const std::vector<Point>& points, Colour fill, Colour outline) override;
    void ellipse(const Rect& box, Colour fill, Colour outline) override;
    void polyline(const std::vector<Point>& points, const Pen& pen) override;
    void text(const TextItem& item) override;
    void symbol(const SymbolItem& item) override;

    const std::vector<Operation>& operations() const { return m_operations; }
    bool empty() const { return m_operations.empty(); }
    void clear() { m_operations.clear(); }

    // Draws every operation, in order, onto `target`.
    void replay(Canvas& target) const;

private:
    std::vector<Operation> m_operations;
};

} // namespace tesmor::plot
