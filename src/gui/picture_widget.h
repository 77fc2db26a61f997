#pragma once

// A drawing surface of the main window (picStereo, picPlot1, picPlot2). The picture is drawn by
// a painter function for the widget's size in device pixels, so that the drawing routines fit
// the layout through their own arguments (centre, diameter, frame, font and symbol sizes) and
// stay sharp on high-density screens. The result is cached as a pixmap; a rubber band is an
// overlay on that pixmap, so a mouse move never redraws the data.

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

namespace tesmor::gui {

class PictureWidget : public QWidget
{
    Q_OBJECT

public:
    // Draws the whole picture onto a painter whose device is `size` device pixels large.
    using Painter = std::function<void(QPainter& painter, QSize size)>;

    explicit PictureWidget(QWidget* parent = nullptr);

    // A new picture: the cache is dropped and the painter runs at the next paint. An empty
    // painter shows a cleared (white) surface.
    void setPainter(Painter painter);
    void invalidate();

    // Mouse buttons that start a rubber band on press (the net: any button; plots: left).
    void setBandButtons(Qt::MouseButtons buttons) { m_bandButtons = buttons; }
    bool bandActive() const { return m_band.has_value(); }
    // The band's current rectangle in widget coordinates, normalised; empty when inactive.
    QRect bandRect() const;

    // How many times the painter ran: tests use it to show that band moves do not redraw.
    int renderCount() const { return m_renderCount; }
    // The widget's size in device pixels, the size the picture is drawn for.
    QSize devicePixelSize() const;
    const QPixmap& cachedPixmap() const { return m_cache; }

    QSize sizeHint() const override { return {400, 400}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

signals:
    void mousePressed(QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    void mouseMoved(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);
    // The band was released: press and release points in widget coordinates.
    void bandReleased(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void renderCache();

    Painter m_painter;
    QPixmap m_cache;
    // The widget size and pixel ratio the cache was drawn for: at a fractional ratio the
    // pixmap's own size in widget units is not a whole number and cannot tell.
    QSize m_cacheSize;
    qreal m_cacheRatio = 0;
    bool m_dirty = true;
    int m_renderCount = 0;
    Qt::MouseButtons m_bandButtons = Qt::LeftButton;
    QPoint m_pressPoint;
    std::optional<QPoint> m_band; // the band's moving corner while a band is active
};

} // namespace tesmor::gui
