#pragma once

// A canvas that keeps its operations in order, to be replayed onto any other canvas: the
// off-screen picture of a view, and what the tests inspect.

#include "plot/canvas.h"

#include <cstdint>
#include <memory>
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
    void polygon(std::span<const Point> points, Colour fill, Colour outline) override;
    void ellipse(const Rect& box, Colour fill, Colour outline) override;
    void polyline(std::span<const Point> points, const Pen& pen) override;
    // Keeps the block, not a copy of its points.
    void polyline(const std::shared_ptr<const std::vector<Point>>& block, std::size_t first,
                  std::size_t count, const Pen& pen) override;
    void text(const TextItem& item) override;
    void symbol(const SymbolItem& item) override;

    // Every operation in the order drawn (a copy, for inspection).
    std::vector<Operation> operations() const;
    std::size_t size() const { return m_order.size(); }
    bool empty() const { return m_order.empty(); }
    // Forgets the operations but keeps the memory, for the next picture.
    void clear();

    // Draws every operation, in order, onto `target`.
    void replay(Canvas& target) const;

private:
    // Operations are kept by kind, with their drawing order beside them: a marker costs a few
    // dozen bytes, not the size of the largest operation.
    enum class Kind : std::uint8_t { Polygon, Ellipse, Polyline, Text, Symbol };
    struct Entry
    {
        Kind kind;
        std::uint32_t index;
    };

    struct Shape
    {
        std::uint32_t first; // into m_points
        std::uint32_t count;
        Colour fill;
        Colour outline;
    };
    struct Line
    {
        std::size_t first;
        std::uint32_t count;
        std::uint32_t block; // 0: m_points; otherwise m_blocks[block - 1]
        Pen pen;
    };

    std::span<const Point> pointsOf(std::uint32_t first, std::uint32_t count) const
    {
        return {m_points.data() + first, count};
    }
    std::span<const Point> pointsOf(const Line& line) const
    {
        const Point* base = line.block == 0 ? m_points.data() : m_blocks[line.block - 1]->data();
        return {base + line.first, line.count};
    }
    std::uint32_t keep(std::span<const Point> points);

    std::vector<Entry> m_order;
    std::vector<Point> m_points; // the points of every polygon and polyline, one after another
    std::vector<Shape> m_polygons;
    std::vector<EllipseOp> m_ellipses;
    std::vector<Line> m_polylines;
    std::vector<std::shared_ptr<const std::vector<Point>>> m_blocks; // shared point arrays
    std::vector<TextItem> m_texts;
    std::vector<SymbolItem> m_symbols;
};

} // namespace tesmor::plot
