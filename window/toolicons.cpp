#include "toolicons.h"

#include <QFont>
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

// A circle with its mark centred in it.
void drawMarkedCircle(QPainter& painter, const QRectF& box, const QString& mark) {
    painter.drawEllipse(box);
    QFont font = painter.font();
    font.setPixelSize(int(box.height() * 0.7));
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, mark);
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
    } else if (key == QLatin1String("Specialization")) {
        drawMarkedCircle(painter, QRectF(3.5, 3.5, 17, 17), QStringLiteral("d"));
    } else if (key == QLatin1String("Category")) {
        drawMarkedCircle(painter, QRectF(3.5, 3.5, 17, 17), QStringLiteral("\u222A"));
    } else if (key == QLatin1String("SubLine")) {
        // A superclass above a circle, a subclass below it with the subset mark on its line.
        painter.drawLine(QPointF(12, 6), QPointF(12, 18));
        painter.drawRect(QRectF(6.5, 0.5, 11, 5));
        painter.drawEllipse(QRectF(8.5, 8.5, 7, 7));
        painter.drawRect(QRectF(6.5, 18.5, 11, 5));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(9, 14.5, 6, 5), 0, 180 * 16);
    }
    return QIcon(pixmap);
}
