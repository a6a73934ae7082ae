#include "logo.h"

#include <QPainter>
#include <QPolygonF>

QPixmap productLogo(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100 x 100 grid and scaled to the requested size.
    painter.scale(side / 100.0, side / 100.0);

    const QColor ink(40, 60, 110);
    painter.setPen(QPen(ink, 2.5));

    const QRectF entity(6, 60, 36, 22);
    const QPolygonF relationship({{76, 50}, {96, 71}, {76, 92}, {56, 71}});
    const QRectF attribute(8, 8, 44, 24);

    painter.drawLine(QPointF(24, 32), entity.center() - QPointF(0, 11));
    painter.drawLine(QPointF(42, 71), QPointF(56, 71));

    painter.setBrush(QColor(255, 192, 192));
    painter.drawRect(entity);
    painter.setBrush(QColor(192, 220, 255));
    painter.drawPolygon(relationship);
    painter.setBrush(QColor(255, 240, 190));
    painter.drawEllipse(attribute);
    // The underline marks a key attribute.
    painter.drawLine(QPointF(20, 24), QPointF(40, 24));
    return pixmap;
}
