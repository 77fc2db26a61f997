#include "plot/symbols.h"

#include "math/frames.h"

#include <cmath>

namespace tesmor::plot {

namespace {

void Line(Canvas& canvas, double x1, double y1, double x2, double y2, Colour colour, int width = 1)
{
    const Point points[2] = {ToPixel(x1, y1), ToPixel(x2, y2)};
    canvas.polyline(points, Pen {PenStyle::Solid, colour, width});
}

void SquareMark(Canvas& canvas, double x, double y, double h, Colour fill, Colour outline)
{
    const Point corners[4] = {ToPixel(x - h, y - h), ToPixel(x + h, y - h), ToPixel(x + h, y + h),
                              ToPixel(x - h, y + h)};
    canvas.polygon(corners, fill, outline);
}

void CircleMark(Canvas& canvas, double x, double y, double r, Colour fill, Colour outline)
{
    canvas.ellipse({ToPixel(x - r), ToPixel(y - r), ToPixel(x + r), ToPixel(y + r)}, fill, outline);
}

// The inner mark of the square and circle families: 1 small white circle, 2 cross,
// 3 diagonal cross, 4 vertical line, 5 horizontal line.
void FamilyMark(Canvas& canvas, int member, double x, double y, double S, Colour outline)
{
    const double h = S / 2;
    const double d = 0.354 * S;
    switch (member) {
    case 1:
        CircleMark(canvas, x, y, 0.1 * S, White, outline);
        break;
    case 2:
        Line(canvas, x, y - h, x, y + h, outline);
        Line(canvas, x - h, y, x + h, y, outline);
        break;
    case 3:
        Line(canvas, x - d, y - d, x + d, y + d, outline);
        Line(canvas, x - d, y + d, x + d, y - d, outline);
        break;
    case 4:
        Line(canvas, x, y - h, x, y + h, outline);
        break;
    case 5:
        Line(canvas, x - h, y, x + h, y, outline);
        break;
    default:
        break;
    }
}

} // namespace

bool IsSymbolShape(int shape)
{
    return (shape >= 1 && shape <= 6) || (shape >= 11 && shape <= 15)
        || (shape >= 31 && shape <= 35) || shape == 41 || shape == 61;
}

void DrawSymbol(Canvas& canvas, int shape, double x, double y, int size, Colour fill,
                Colour outline, double angle, int penWidth)
{
    if (!IsSymbolShape(shape) || !std::isfinite(x) || !std::isfinite(y))
        return;
    canvas.symbol(SymbolItem {shape, x, y, size, fill, outline, angle, penWidth});
}

void ExpandSymbol(Canvas& canvas, const SymbolItem& item)
{
    const double x = item.x;
    const double y = item.y;
    const double S = item.size;
    const double h = S / 2;
    const Colour fill = item.fill;
    const Colour outline = item.outline;
    switch (item.shape) {
    case 1:
        SquareMark(canvas, x, y, h, fill, outline);
        break;
    case 2: {
        const Point vertices[3] = {ToPixel(x - h, y + 0.2887 * S), ToPixel(x, y - 0.7113 * S),
                                   ToPixel(x + h, y + 0.2887 * S)};
        canvas.polygon(vertices, fill, outline);
    } break;
    case 3:
        CircleMark(canvas, x, y, h, fill, outline);
        break;
    case 4:
        Line(canvas, x - h, y, x + h, y, outline);
        break;
    case 5: {
        const double a = item.angle * math::RadPerDeg;
        Line(canvas, x, y, x + S * std::sin(a), y - S * std::cos(a), outline, item.penWidth);
        break;
    }
    case 6:
        Line(canvas, x, y - h, x, y + h, outline);
        break;
    case 41:
        Line(canvas, x, y, x - h, y, outline);
        break;
    case 61:
        Line(canvas, x, y, x, y + h, outline);
        break;
    default:
        if (item.shape >= 11 && item.shape <= 15) {
            SquareMark(canvas, x, y, h, item.shape == 11 ? White : fill, outline);
            FamilyMark(canvas, item.shape - 10, x, y, S, outline);
        } else if (item.shape >= 31 && item.shape <= 35) {
            CircleMark(canvas, x, y, h, item.shape == 31 ? White : fill, outline);
            FamilyMark(canvas, item.shape - 30, x, y, S, outline);
        }
        break;
    }
}

} // namespace tesmor::plot
