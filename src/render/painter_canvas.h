#pragma once

// The canvas on a QPainter: the window's pictures, raster and vector picture files, printing.
//
// On raster devices (QImage, QPixmap, the screen) the markers are drawn once per kind (shape,
// size, colours) into a small cached image and then blitted: tens of thousands of anti-aliased
// markers cost a few milliseconds instead of hundreds. Vector devices (SVG, PDF, printer) get
// every marker as real vector shapes.

#include "plot/canvas.h"
#include "render/line_raster.h"

#include <QFont>
#include <QImage>
#include <QPen>

#include <array>
#include <cstdint>
#include <unordered_map>

class QPainter;

namespace tesmor::render {

class PainterCanvas : public plot::Canvas
{
public:
    enum class Markers { Automatic, Cached, Vector };

    // Automatic caches markers when the painter draws on an image or pixmap without a scaling
    // or rotating transform.
    explicit PainterCanvas(QPainter& painter, Markers markers = Markers::Automatic);
    // Draws the lines still held.
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void polygon(std::span<const plot::Point> points, plot::Colour fill,
                 plot::Colour outline) override;
    void ellipse(const plot::Rect& box, plot::Colour fill, plot::Colour outline) override;
    using plot::Canvas::polyline;
    void polyline(std::span<const plot::Point> points, const plot::Pen& pen) override;
    void text(const plot::TextItem& item) override;
    void symbol(const plot::SymbolItem& item) override;

private:
    struct CachedMarker
    {
        QImage image; // the inked pixels
        int centre = 0; // the marker's position in the square it is drawn in
        int left = 0; // the marker's position from the image's top left pixel
        int top = 0;
    };

    // Consecutive thin lines into an image are held in m_lines and drawn together before
    // anything else is drawn.
    void drawLines();

    const CachedMarker& marker(const plot::SymbolItem& item);
    const QFont& font(const plot::TextItem& item);

    QPainter& m_painter;
    bool m_cacheMarkers;
    std::unordered_map<std::uint64_t, CachedMarker> m_markers; // nodes stay where they are
    // The markers found last, by a few bits of their key: the axes of each record take turns
    // with three kinds in four sub-pixel phases, each met again a moment later.
    struct RecentMarker
    {
        std::uint64_t key = 0;
        const CachedMarker* marker = nullptr;
    };
    std::array<RecentMarker, 64> m_recentMarkers {};
    std::vector<plot::Point> m_line; // a polyline's points as drawn
    LineBatch m_lines;
    QImage* m_linesImage = nullptr;
    plot::Pen m_linePen;
    QPen m_lineQPen;
    bool m_linePenValid = false;
    QFont m_font;
    bool m_fontValid = false;
    int m_fontHeight = 0;
    int m_fontWeight = 0;
    std::string m_fontFace;
};

} // namespace tesmor::render
