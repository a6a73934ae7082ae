#include "toolicons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kIconSize = 24;

void drawDiamond(QPainter& painter, const QRectF& box) {
    const QPolygonF diamond{{box.center().x(), box.top()},
                            {box.right(), box.center().y()},
                            {box.center().x(), box.bottom()},
                            {box.left(), box.center().y()}};
    painter.drawPolygon(diamond);
}

}  // namespace

QIcon toolbarIcon(const QString& key) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);

    if (key == QLatin1String("Entity")) {
        painter.drawRect(QRectF(2.5, 6.5, 19, 11));
    } else if (key == QLatin1String("Attribute")) {
        painter.drawEllipse(QRectF(2.5, 6.5, 19, 11));
    } else if (key == QLatin1String("Relationship")) {
        drawDiamond(painter, QRectF(1.5, 5.5, 21, 13));
    } else if (key == QLatin1String("AttLine")) {
        painter.drawLine(QPointF(8, 16), QPointF(16, 8));
        painter.drawRect(QRectF(1.5, 14.5, 9, 7));
        painter.drawEllipse(QRectF(13.5, 2.5, 9, 7));
    } else if (key == QLatin1String("RelLine")) {
        painter.drawLine(QPointF(8, 16), QPointF(16, 8));
        painter.drawRect(QRectF(1.5, 14.5, 9, 7));
        drawDiamond(painter, QRectF(12.5, 1.5, 11, 9));
    }
    return QIcon(pixmap);
}
