#include "plot/canvas.h"

#include "plot/symbols.h"

namespace tesmor::plot {

void Canvas::polyline(const std::shared_ptr<const std::vector<Point>>& block, std::size_t first,
                      std::size_t count, const Pen& pen)
{
    polyline(std::span<const Point>(block->data() + first, count), pen);
}

void Canvas::symbol(const SymbolItem& item)
{
    ExpandSymbol(*this, item);
}

void DrawDisc(Canvas& canvas, double x, double y, double r, Colour outline)
{
    canvas.ellipse({ToPixel(x - r), ToPixel(y - r), ToPixel(x + r), ToPixel(y + r)}, White,
                   outline);
}

void DrawSegment(Canvas& canvas, double x1, double y1, double x2, double y2, PenStyle style,
                 Colour colour, int width)
{
    const Point points[2] = {ToPixel(x1, y1), ToPixel(x2, y2)};
    canvas.polyline(points, Pen {style, colour, width});
}

void DrawLabel(Canvas& canvas, const std::string& text, double x, double y, int height, int weight,
               Colour colour, TextAlign align, double angle)
{
    TextItem item;
    item.text = text;
    item.at = ToPixel(x, y);
    item.height = height;
    item.weight = weight;
    item.colour = colour;
    item.align = align;
    item.angle = angle;
    canvas.text(item);
}

} // namespace tesmor::plot
