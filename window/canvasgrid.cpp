#include "canvasgrid.h"

#include <QPainter>
#include <cmath>

namespace {

// Lines closer than this many pixels would turn the background grey.
constexpr double kFewestPixelsApart = 6;

// The colour of the lines: a little darker than the background (lighter on a dark one).
QColor lineColour(const QColor& background) {
    return background.lightness() > 128 ? background.darker(112) : background.lighter(140);
}

}  // namespace

void paintGrid(QPainter& painter, const ScaleMapping& mapping, const QRect& area, int gridSize,
               const QColor& background) {
    if (gridSize <= 0 || area.isEmpty()) return;
    double step = gridSize;
    while (step * mapping.pixelsPerUnitX() < kFewestPixelsApart ||
           step * mapping.pixelsPerUnitY() < kFewestPixelsApart)
        step *= 2;
    const QPointF from = mapping.toLogical(area.topLeft());
    const QPointF to = mapping.toLogical(area.bottomRight() + QPoint(1, 1));
    painter.save();
    painter.setPen(QPen(lineColour(background), 0));
    for (double x = std::floor(from.x() / step) * step; x <= to.x(); x += step) {
        const int px = qRound(mapping.toPixels(QPointF(x, 0)).x());
        painter.drawLine(px, area.top(), px, area.bottom());
    }
    for (double y = std::floor(from.y() / step) * step; y <= to.y(); y += step) {
        const int py = qRound(mapping.toPixels(QPointF(0, y)).y());
        painter.drawLine(area.left(), py, area.right(), py);
    }
    painter.restore();
}
