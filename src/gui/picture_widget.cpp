#include "gui/picture_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace tesmor::gui {

PictureWidget::PictureWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureWidget::setPainter(Painter painter)
{
    m_painter = std::move(painter);
    invalidate();
}

void PictureWidget::invalidate()
{
    m_dirty = true;
    update();
}

QRect PictureWidget::bandRect() const
{
    if (!m_band)
        return {};
    return QRect(m_pressPoint, *m_band).normalized();
}

QSize PictureWidget::devicePixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
}

void PictureWidget::renderCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = devicePixelSize();
    // Drawn into an image, where the lines of one pixel go straight into the pixels (the
    // painter of a pixmap would stroke every great circle of a large net itself, many times
    // slower), then handed to the pixmap shown.
    QImage image(pixels.expandedTo({1, 1}), QImage::Format_RGB32);
    image.fill(isEnabled() || !m_painter ? Qt::white : QColor(250, 250, 250));
    if (m_painter) {
        // The image has no device pixel ratio while it is drawn, so the drawing routines work
        // in device pixels through their own arguments instead of a painter scale.
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        m_painter(painter, pixels);
        ++m_renderCount;
    }
    m_cache = QPixmap::fromImage(std::move(image));
    m_cache.setDevicePixelRatio(ratio);
    m_cacheSize = size();
    m_cacheRatio = ratio;
    m_dirty = false;
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    if (m_dirty || m_cacheSize != size() || m_cacheRatio != devicePixelRatioF())
        renderCache();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_cache);
    if (m_band) {
        QPen pen(QColor(255, 0, 0), 1, Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bandRect());
    }
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureWidget::resizeEvent(QResizeEvent*)
{
    m_dirty = true;
    emit resized();
}

void PictureWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        invalidate();
    QWidget::changeEvent(event);
}

void PictureWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_bandButtons & event->button()) {
        m_pressPoint = pos;
        m_band = pos;
        update();
    }
    emit mousePressed(pos, event->button(), event->buttons(), event->modifiers());
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_band && event->buttons() == Qt::LeftButton) {
        // Only the band's old and new outlines are repainted, from the cached picture.
        const QRect before = bandRect();
        m_band = pos;
        update(before.united(bandRect()).adjusted(-2, -2, 2, 2));
    }
    emit mouseMoved(pos, event->buttons(), event->modifiers());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_band) {
        const QPoint from = m_pressPoint;
        m_band.reset();
        update();
        emit bandReleased(from, pos, event->modifiers());
    }
    emit mouseReleased(pos, event->button(), event->buttons(), event->modifiers());
}

} // namespace tesmor::gui
