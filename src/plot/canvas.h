#pragma once

// The drawing surface of every picture: a handful of operations in whole-pixel canvas
// coordinates (x to the right, y downwards). Back ends: the recording canvas (a replayable list
// of operations), the Windows-metafile writer, and the QPainter canvas of render/.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tesmor::plot {

struct Colour
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour Black {0, 0, 0};
inline constexpr Colour White {255, 255, 255};
inline constexpr Colour Red {255, 0, 0};

// Line styles; a styled line is drawn styled only at width 1 (wider lines are solid).
enum class PenStyle : std::int16_t {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
};

struct Pen
{
    PenStyle style = PenStyle::Solid;
    Colour colour = Black;
    int width = 1; // pixels; 0 is the thinnest line the device can draw

    friend bool operator==(const Pen&, const Pen&) = default;
};

// Reference point of a text: a horizontal and a vertical reference of its box.
enum class HAlign : std::int8_t { Left, Centre, Right };
enum class VAlign : std::int8_t { Top, Baseline, Bottom };

struct TextAlign
{
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Baseline;

    friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

struct Point
{
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// A real canvas coordinate as a whole pixel: nearest integer, ties to even (the default
// rounding mode; this is model::RoundHalfEven, inline for the hundreds of thousands of points of
// a picture). Values beyond any picture are clamped so that wild data cannot overflow a back
// end's integer coordinates; NaN becomes 0.
inline int ToPixel(double v)
{
    constexpr double Limit = 1.0e6;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, -Limit, Limit)));
}

inline Point ToPixel(double x, double y)
{
    return {ToPixel(x), ToPixel(y)};
}

// An axis-parallel box in whole pixels, edges included.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

struct TextItem
{
    std::string text; // UTF-8
    Point at;
    int height = 16; // pixels, the character cell height
    std::string face = "Arial";
    int weight = 400; // 400 normal, 700 bold
    Colour colour = Black;
    TextAlign align;
    double angle = 0; // degrees, counter-clockwise

    friend bool operator==(const TextItem&, const TextItem&) = default;
};

// A marker of DrawSymbol (plot/symbols.h), kept whole so that a back end may draw it its own
// way (the raster canvas blits cached images); by default it is expanded into the primitive
// operations below.
struct SymbolItem
{
    int shape = 0;
    double x = 0; // real pixels; primitives are rounded after the shape's offsets are added
    double y = 0;
    int size = 0;
    Colour fill = White;
    Colour outline = Black;
    double angle = 0; // shape 5 only: azimuth, degrees clockwise from up
    int penWidth = 1; // shape 5 only

    friend bool operator==(const SymbolItem&, const SymbolItem&) = default;
};

class Canvas
{
public:
    virtual ~Canvas() = default;

    // A closed polygon filled with `fill`, outlined solid 1 pixel in `outline`.
    virtual void polygon(std::span<const Point> points, Colour fill, Colour outline) = 0;
    // The ellipse inscribed in `box`, filled with `fill`, outlined solid 1 pixel in `outline`.
    virtual void ellipse(const Rect& box, Colour fill, Colour outline) = 0;
    // An open polyline through the points in order.
    virtual void polyline(std::span<const Point> points, const Pen& pen) = 0;
    // The polyline through `count` points of `block` from `first`. The caller promises that
    // those points never change while the block is shared, so a canvas may keep the block
    // instead of a copy of the points; by default they are drawn at once.
    virtual void polyline(const std::shared_ptr<const std::vector<Point>>& block, std::size_t first,
                          std::size_t count, const Pen& pen);
    virtual void text(const TextItem& item) = 0;
    virtual void symbol(const SymbolItem& item);
};

// The canvas operations of the pictures, under their domain names.
// A circle of radius r about (x, y), filled white with a 1-pixel outline; its box is
// x - r ... x + r, y - r ... y + r.
void DrawDisc(Canvas& canvas, double x, double y, double r, Colour outline);
void DrawSegment(Canvas& canvas, double x1, double y1, double x2, double y2, PenStyle style,
                 Colour colour, int width);
void DrawLabel(Canvas& canvas, const std::string& text, double x, double y, int height, int weight,
               Colour colour, TextAlign align, double angle = 0);

} // namespace tesmor::plot
