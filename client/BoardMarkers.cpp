// Marker pictures painted with QPainter at twice the resolution for crisp edges.
#include "client/BoardMarkers.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr qreal kRatio = 2.0;

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(qRound(width * kRatio), qRound(height * kRatio));
    pixmap.setDevicePixelRatio(kRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap BoardMarkers::turnMarker()
{
    QPixmap pixmap = canvas(23, 23);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(2.5, 6.5);
    arrow.lineTo(11.5, 6.5);
    arrow.lineTo(11.5, 1.5);
    arrow.lineTo(21.5, 11.5);
    arrow.lineTo(11.5, 21.5);
    arrow.lineTo(11.5, 16.5);
    arrow.lineTo(2.5, 16.5);
    arrow.closeSubpath();
    QRadialGradient gold(QPointF(9.0, 8.0), 16.0);
    gold.setColorAt(0.0, QColor(255, 240, 160));
    gold.setColorAt(0.6, QColor(236, 178, 48));
    gold.setColorAt(1.0, QColor(170, 110, 20));
    painter.fillPath(arrow, gold);
    painter.setPen(QPen(QColor(92, 54, 12), 1.2));
    painter.drawPath(arrow);
    return pixmap;
}

QPixmap BoardMarkers::eyesMarker()
{
    QPixmap pixmap = canvas(24, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const qreal cx : {6.5, 17.5}) {
        const QRectF white(cx - 5.5, 2.0, 11.0, 12.0);
        painter.setPen(QPen(QColor(40, 30, 20), 1.0));
        painter.setBrush(QColor(252, 250, 240));
        painter.drawEllipse(white);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 90, 150));
        painter.drawEllipse(QPointF(cx + 1.5, 9.0), 3.2, 3.4);
        painter.setBrush(QColor(10, 10, 10));
        painter.drawEllipse(QPointF(cx + 1.5, 9.0), 1.6, 1.7);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx + 0.6, 7.8), 0.7, 0.7);
    }
    return pixmap;
}
