#pragma once

// Anti-aliased polylines of one pixel width drawn straight into a 32-bit image (Xiaolin Wu's
// algorithm: each step along the major axis covers the two pixels nearest to the line in
// proportion to their distance from it). QPainter's stroker spends most of its time per point
// and per call; tens of thousands of great circles on the net need the direct way.

#include "plot/canvas.h"

#include <QImage>

#include <span>
#include <vector>

class QPainter;

namespace tesmor::render {

// The image a painter draws on when lines may be drawn into its pixels directly: a detached
// RGB32 or premultiplied ARGB32 image, device pixel ratio 1, no transform, no clipping, plain
// source-over drawing at full opacity. Null otherwise.
QImage* DirectLineTarget(QPainter& painter);

// Draws the polyline through pixel centres (x + 0.5, y + 0.5) in `colour`. Dashed styles repeat
// QPainter's cosmetic patterns (dash 4 on 2 off, dot 1 on 2 off, ...), continuing across the
// corners.
void DrawAntialiasedPolyline(QImage& image, std::span<const plot::Point> points,
                             plot::Colour colour, plot::PenStyle style);

// A run of polylines for DrawAntialiasedPolyline, kept until drawn together. A large run is
// drawn by several threads, each over its own band of rows and every line clipped to it.
//
// A small run, or one of many colours, is drawn line by line: each pixel receives the same lines
// in the same order, so the image is the one of DrawAntialiasedPolyline. A run of many points in
// a few colours (the great circles of a large data set) first adds up the coverage of each
// colour's lines, then lays each colour over its coverage: the same picture up to the rounding
// of a shade where lines cross, and where lines of different colours cross the later colour
// lies on top. The coverage is kept for the next run of the same lines in the same image size,
// so that a picture drawn again in other colours only lays the new colours.
class LineBatch
{
public:
    static constexpr std::size_t MinCoveragePoints = 40000;
    static constexpr std::size_t MaxCoverageColours = 4;
    static constexpr std::size_t MaxCoveragePixels = 4'000'000;

    void add(std::span<const plot::Point> points, plot::Colour colour, plot::PenStyle style);
    bool empty() const { return m_lines.empty(); }
    std::size_t points() const { return m_points.size(); }
    // Draws the run into `image` on up to `threads` threads and forgets it.
    void draw(QImage& image, int threads);

private:
    struct Line
    {
        std::size_t first;
        std::size_t count;
        plot::Colour colour;
        plot::PenStyle style;
    };
    std::vector<plot::Point> m_points;
    std::vector<Line> m_lines;
};

} // namespace tesmor::render
