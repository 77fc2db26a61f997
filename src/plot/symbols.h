#pragma once

// Plot markers by shape code (size S in pixels, h = S/2):
//   1 square, 2 triangle apex up, 3 circle (filled with the fill colour, outlined);
//   4 horizontal line, 6 vertical line, both of length S centred on the point;
//   5 a line of length S from the point towards an azimuth (clockwise from up);
//   11-15 the square family, 31-35 the circle family: 11/31 white with a small white circle
//   (radius 0.1 S) at the centre, 12/32 with a cross, 13/33 with a diagonal cross, 14/34 with a
//   vertical and 15/35 with a horizontal line;
//   41 a tick to the left (length h), 61 a tick downwards (length h).
// Any other code draws nothing. Lines are solid, 1 pixel, in the outline colour (shape 5 uses
// the given pen width).

#include "plot/canvas.h"

namespace tesmor::plot {

enum SymbolShape : int {
    Square = 1,
    Triangle = 2,
    Circle = 3,
    HorizontalLine = 4,
    AzimuthLine = 5,
    VerticalLine = 6,
    LeftTick = 41,
    DownTick = 61,
};

// True for the codes that draw something.
bool IsSymbolShape(int shape);

// A marker at the real pixel position (x, y); `angle` and `penWidth` are used by shape 5 only.
void DrawSymbol(Canvas& canvas, int shape, double x, double y, int size, Colour fill,
                Colour outline, double angle = 0, int penWidth = 1);

// The primitive operations of a marker (what Canvas::symbol draws by default).
void ExpandSymbol(Canvas& canvas, const SymbolItem& item);

} // namespace tesmor::plot
