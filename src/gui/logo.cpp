#include "gui/logo.h"

#include <QPainter>
#include <QPolygonF>

namespace tesmor::gui {

QPixmap Logo(int size, qreal devicePixelRatio)
{
    const int pixels = qRound(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal r = pixels * 0.45;
    const QPointF c(pixels / 2.0, pixels / 2.0);
    painter.setPen(QPen(Qt::black, qMax(1.0, pixels / 48.0)));
    painter.setBrush(Qt::white);
    painter.drawEllipse(c, r, r);
    const qreal s = pixels / 14.0;
    // K1 square, K2 triangle, K3 circle, in the colours of the default scheme.
    painter.setBrush(QColor(0, 0, 255));
    painter.drawRect(QRectF(c.x() + 0.35 * r - s, c.y() - 0.45 * r - s, 2 * s, 2 * s));
    painter.setBrush(QColor(0, 255, 0));
    const QPointF t(c.x() - 0.5 * r, c.y() + 0.1 * r);
    painter.drawPolygon(
        QPolygonF({t + QPointF(0, -1.2 * s), t + QPointF(1.1 * s, s), t + QPointF(-1.1 * s, s)}));
    painter.setBrush(QColor(255, 0, 255));
    painter.drawEllipse(QPointF(c.x() + 0.2 * r, c.y() + 0.55 * r), s, s);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace tesmor::gui
