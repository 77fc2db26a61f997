#include "plot/canvas.h"

#include "model/number_text.h"
#include "plot/symbols.h"

#include <algorithm>
#include <cmath>

namespace tesmor::plot {

namespace {

// Far outside every picture (the largest is 8000 units) yet safe for 16-bit metafile
// coordinates after clamping there too.
constexpr double PixelLimit = 1.0e6;

} // namespace

int ToPixel(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(model::RoundHalfEven(std::clamp(v, -PixelLimit, PixelLimit)));
}

Point ToPixel(double x, double y)
{
    return {ToPixel(x), ToPixel(y)};
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
    canvas.polyline({ToPixel(x1, y1), ToPixel(x2, y2)}, Pen {style, colour, width});
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
